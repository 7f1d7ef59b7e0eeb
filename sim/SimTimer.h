// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The meter's own clock: work it does some time after a report, such as ending the
// writing phase of an upgrade, runs on one background thread.

#include <functional>

namespace sim::timer {

// Runs `task` on the timer thread after `delayMs`. Tasks still waiting at exit are dropped.
void runLater(int delayMs, std::function<void()> task);

// While held, no task runs, however due; released, the due ones run at once.
void hold(bool held);

} // namespace sim::timer
