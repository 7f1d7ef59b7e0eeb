#pragma once

#include "CommandLine.h"

#include <functional>

// Start-up in order: high-dpi attributes, application object, crash filter, look, main
// window, event loop. `beforeWindow` runs just before the main window is built.
int runApplication(int argc, char** argv, const CommandLine& commandLine = {},
                   const std::function<void()>& beforeWindow = {});
