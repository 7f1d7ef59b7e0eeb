// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskSyncer.h"
#include "SampleStore.h"

#include <QFile>
#include <QString>

// Appends the samples of one run to its journal file as they are recorded, so that a
// crash or a power cut loses at most the last few seconds. Each sample is written at once
// (a crash of the program loses nothing written); every syncEveryRecords samples a data
// sync is started on a thread of its own (a power cut loses at most about that many). A write that
// fails (the disk is full) stops the journal without a torn record; the recording in memory goes
// on.
class JournalWriter {
public:
    static constexpr int syncEveryRecords = 10;

    JournalWriter() = default;
    // Closes without marking the run ended (see close()).
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // Replaces the file at `path` with a new journal of a run starting at startSecs, readable
    // by its owner only. False when the file cannot be created or written (see errorString()).
    bool begin(const QString& path, qint64 startSecs);
    // False once the journal has stopped, or when this write stops it.
    bool append(qint64 epochSecs, const SampleStore::Values& values);
    // Starts putting every sample written so far on the disk (a pause in the run).
    void sync();
    // Stop ended the run: the journal is marked stopped (still unsaved) and closed.
    void finish();
    // The samples of the journal at `path` were written to a file: nothing to offer any more.
    static bool markSaved(const QString& path);
    // The program goes while the run has not ended (a close in the middle of a run): the
    // journal is put on the disk and closed unmarked, to be offered at the next start.
    void close();

    bool isWriting() const { return writing; }
    QString errorString() const { return error; }

private:
    void stop(const QString& why);
    void closeFile();

    QFile file;
    // Declared after the file: it finishes any sync before the file is closed.
    DiskSyncer syncer;
    qint64 startSecs = 0;
    qint64 recordsWritten = 0;
    int unsyncedRecords = 0;
    bool writing = false;
    QString error;
};
