#pragma once

#include "SampleStore.h"

#include <QString>

#include <optional>

class QWidget;

// At start-up, before a new run can replace it: the journal of a run that did not end
// cleanly (a crash, a power cut) is offered to the user, who opens it or discards it.
// Returns the recording when the user chose to open it; a discarded journal is removed.
// A clean, empty, missing or unreadable journal offers nothing.
std::optional<SampleStore> offerUnfinishedRun(const QString& journalPath,
                                              QWidget* parent = nullptr);
