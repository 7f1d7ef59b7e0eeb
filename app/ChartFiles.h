// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RangeStatistics.h"

#include <QFileDialog>
#include <QObject>
#include <QString>

#include <functional>

class Acquisition;
class SampleStore;
class TipsBar;
class QWidget;

// The chart's files: the sample log exported as CSV or a recording opened again from one,
// and the chart view saved as a picture. A file that cannot be written or read is reported
// with a warning box naming it and the reason; the tips bar says what was written or read.
class ChartFiles : public QObject {
    Q_OBJECT
public:
    struct FileQuestion {
        QString caption, directory, filter;
        QFileDialog::Options options = {};
    };
    // Asks the user for a file name; an empty answer means cancelled.
    using AskFileName = std::function<QString(QWidget* parent, const FileQuestion& question)>;
    // Asked before an opened file replaces the log; false keeps the log.
    using ReplaceGuard = std::function<bool()>;

    // Exports with fewer records remind the user to record more first.
    static constexpr int enoughRecords = 20;

    ChartFiles(QWidget* window, Acquisition* acquisition, TipsBar* tips, QObject* parent);
    // The standard file dialogs unless replaced.
    void setFileDialogs(AskFileName save, AskFileName open);
    void setReplaceGuard(ReplaceGuard guard) { mayReplace = std::move(guard); }

    // The records are those of the moment it is called: a run that starts while a dialog
    // is open does not change what is written. Exporting to an existing file appends, once
    // the user agreed, only the records after the file's last one. True once the whole log
    // is in the file the user named.
    bool exportData();
    // Only the records from fromMs to toMs (ms since the epoch), however few, by the same
    // rules.
    void exportStretch(qint64 fromMs, qint64 toMs);
    // The picture is taken before the dialog opens: the chart as it was when asked.
    void exportImage(QWidget* chartView);
    void openDataFromDialog();
    // Replaces the log with the file's records in time order; the tips bar tells how many
    // lines were skipped, put in order or repeated a second. A file without records, too
    // large, unreadable or not a regular file leaves the log untouched.
    bool openData(const QString& fileName);

signals:
    // The log now holds a whole recording from a file.
    void recordingOpened();
    // The whole log was written to a file.
    void dataExported();

private:
    FileQuestion csvQuestion(const QString& caption) const;
    bool saveRecords(const SampleStore& records, RecordSpan span);
    bool confirmAppend(const QString& fileName);
    bool writeData(const SampleStore& records, RecordSpan span, const QString& fileName);
    void rememberFolder(const QString& fileName);
    void noteWritten(const SampleStore& records, RecordSpan span, const QString& fileName);
    void warn(const QString& title, const QString& what, const QString& fileName,
              const QString& reason);

    QWidget* window;
    Acquisition* acquisition;
    TipsBar* tips;
    AskFileName askSaveName;
    AskFileName askOpenName;
    ReplaceGuard mayReplace;
    // The file known to hold a recording's records from its first one: an append that
    // skipped records counts as a save only when they went to that file before.
    struct WrittenPrefix {
        QString file;
        qint64 firstSecs = 0;
        int records = 0;
    } written;
    // How many of the log's first records the file written last is known to hold.
    int lastFileHolds = 0;
};
