// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SampleStore.h"

#include <QByteArray>
#include <QString>

// What a journal file holds. Any bytes are safe to read: a file that is not one of our
// journals, or of a newer format, is refused whole; records that fail their check (a tail
// torn by a power cut, a damaged block) are left out and counted, never returned.
struct JournalContents {
    enum class Status {
        Ok,
        Missing,       // no file, or it cannot be read
        Empty,         // shorter than a header, zero-length included
        NotAJournal,   // another program's file
        FutureVersion, // written by a newer program
        Damaged,       // our magic, but the header fails its check
    };
    enum class RunState {
        Running, // the program went (crash, power cut, close) while the run lasted
        Stopped, // Stop ended the run, but its samples were never saved
        Saved,   // the samples were written to a file: nothing to offer
    };
    Status status = Status::Missing;
    RunState state = RunState::Running;
    qint64 startSecs = 0;
    SampleStore samples;
    int droppedRecords = 0; // whole records that failed their check
    int tornBytes = 0;      // bytes after the last whole record
};

JournalContents parseJournal(const QByteArray& bytes);
JournalContents readJournal(const QString& path);
