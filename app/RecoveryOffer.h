// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JournalFolder.h"
#include "SampleStore.h"

#include <QString>

#include <optional>

class QWidget;

// A recording offered at start-up and opened by the user, with its journal, still held: it
// stays on disk until the user saves or discards it.
struct RecoveredRun {
    SampleStore samples;
    HeldJournal journal;
};

struct RecoveryOutcome {
    std::optional<RecoveredRun> opened;
    bool newerVersionKept = false; // a journal of a newer program was left alone
};

// At start-up: every journal in `folder` whose samples were never saved (a crash, a power
// cut, a close, a Stop without export) and that no running copy of the program holds is
// offered, newest first, until the user opens one. A discarded journal is removed; closing
// the box opens it. Journals not reached stay on disk for the next start.
RecoveryOutcome offerUnsavedRuns(const QString& folder, QWidget* parent = nullptr);
