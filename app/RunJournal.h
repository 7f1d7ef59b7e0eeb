// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JournalFolder.h"
#include "JournalWriter.h"
#include "SampleStore.h"

#include <QObject>
#include <QString>

class Acquisition;
class ChartFiles;
class TipsBar;
class QWidget;
struct RecoveredRun;

// Keeps the recording in the acquisition's log on disk until the user saves it to a file
// or throws it away. Each run gets a journal of its own in the folder, held by this
// process; every recorded sample is appended, a pause puts it on the disk, a stop marks it
// stopped. A recording that a new run or an opened file replaces before it was saved
// becomes the previous recording (one is kept) and can be opened again. When the journal
// cannot be written the recording goes on in memory and the tips bar says that the journal
// is off.
class RunJournal : public QObject {
    Q_OBJECT
public:
    RunJournal(Acquisition* acquisition, QString folder, TipsBar* tips, QWidget* window);
    ~RunJournal() override;

    // Exports mark the log saved; opening a file asks first when the log is unsaved.
    void follow(ChartFiles* files);
    // The recording the user opened at start-up: shown, and its journal kept as this log's.
    void showRecovered(RecoveredRun&& run);
    bool hasPrevious() const { return previous.isHeld(); }
    // The previous recording comes back into the log and the current one takes its place.
    // False when its journal can no longer be read.
    bool openPrevious();
    // Says once that a journal of a newer program was kept as it is.
    void noteNewerVersionKept();

    bool isWriting() const { return writer.isWriting(); }
    bool hasUnsavedSamples() const { return unsaved; }
    QString currentPath() const { return current.path(); }
    QString previousPath() const { return previous.path(); }

private:
    void begin(qint64 startSecs);
    void append(qint64 epochSecs, const SampleStore::Values& values);
    void pause(bool running);
    void logSaved();
    void retireCurrent();
    bool mayReplace(ChartFiles* files);
    void showTips();
    void reportStop();

    Acquisition* acquisition;
    JournalWriter writer;
    QString folder;
    HeldJournal current;
    HeldJournal previous;
    bool unsaved = false; // the log holds samples no file has
    TipsBar* tips;
    QWidget* window;
    bool off = false;
    QString offReason; // why the journal is off, in the system's words
};
