// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

struct LoggerHooks {
    // Runs once the application object exists, before any meter is looked for: the demo
    // plugs its simulated meters in here.
    std::function<void()> started;
    int pollIntervalMs = 1000;
};

// The whole recorder without a window: parses the arguments, checks the output, records
// and returns the exit code (0 done, 2 usage or output, 3 no meter, 4 write failed).
int runLogger(int argc, char** argv, const LoggerHooks& hooks = {});
