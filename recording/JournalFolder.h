// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JournalReader.h"

#include <QFile>
#include <QLockFile>
#include <QString>

#include <memory>
#include <vector>

// A journal this process holds: while it does, no other copy of the program offers, opens,
// deletes or writes it. The lock goes with the process, so the journal of a killed copy is
// free again at once.
class HeldJournal {
public:
    HeldJournal() = default;
    // Empty when a live process holds the journal at `path`.
    static HeldJournal tryHold(const QString& path);

    bool isHeld() const { return lock != nullptr; }
    const QString& path() const { return filePath; }
    // The recording is thrown away: the file goes, then the lock.
    void discard();
    // The file stays, to be offered at the next start.
    void release();

private:
    QString filePath;
    std::unique_ptr<QLockFile> lock;
};

// The data folder holds one journal per recording, named after its run's start and the
// process that began it, so that no run ever writes over another's. Folder and files are
// readable by their owner only: the measurements are the user's.
namespace JournalFolder {

bool makePrivateFolder(const QString& dir);
// Creates (or empties) the file at `path`, owner-only, open for unbuffered writing.
bool createPrivateFile(QFile& file, const QString& path, QString& error);
// A journal name in `dir` that no other run uses, held by this process; when none can be
// held, `error` says why.
HeldJournal holdNew(const QString& dir, qint64 startSecs, QString& error);

struct Found {
    HeldJournal journal;
    JournalContents contents;
};
struct Scan {
    std::vector<Found> unsaved; // newest first, each held
    int newerVersions = 0;      // journals of a newer program, left as they are
};
// The journals in `dir` that no live process holds and whose samples were never saved.
// Journals saved already or without a sample are removed; any other file is left alone.
Scan takeUnsaved(const QString& dir);

} // namespace JournalFolder
