#pragma once

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

    // Exports with fewer records remind the user to record more first.
    static constexpr int enoughRecords = 20;

    ChartFiles(QWidget* window, Acquisition* acquisition, TipsBar* tips, QObject* parent);
    // The standard file dialogs unless replaced.
    void setFileDialogs(AskFileName save, AskFileName open);

    // The records are those of the moment it is called: a run that starts while a dialog
    // is open does not change what is written. Exporting to an existing file appends, once
    // the user agreed, only the records after the file's last one.
    void exportData();
    // The picture is taken before the dialog opens: the chart as it was when asked.
    void exportImage(QWidget* chartView);
    void openDataFromDialog();
    // Replaces the log with the file's records; the tips bar tells how many lines were
    // skipped. A file without records, too large or unreadable leaves the log untouched.
    bool openData(const QString& fileName);

signals:
    // The log now holds a whole recording from a file.
    void recordingOpened();

private:
    FileQuestion csvQuestion(const QString& caption) const;
    bool confirmAppend(const QString& fileName);
    void writeData(const SampleStore& records, const QString& fileName);
    void rememberFolder(const QString& fileName);
    void warn(const QString& title, const QString& what, const QString& fileName,
              const QString& reason);

    QWidget* window;
    Acquisition* acquisition;
    TipsBar* tips;
    AskFileName askSaveName;
    AskFileName askOpenName;
};
