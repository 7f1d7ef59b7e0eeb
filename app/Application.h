// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandLine.h"

#include <functional>

class MeterMetrics;

// Start-up in order: high-dpi attributes, application object, crash filter, look, main
// window, event loop. `beforeWindow` runs just before the main window is built; the
// window feeds `metrics` when it is given.
int runApplication(int argc, char** argv, const CommandLine& commandLine = {},
                   const std::function<void()>& beforeWindow = {}, MeterMetrics* metrics = nullptr);
