// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "MetricsOption.h"

int main(int argc, char** argv) {
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitCode)
        return *commandLine.exitCode;
    const auto metrics = serveMetricsOrExit(commandLine.metricsAddress);
    return runApplication(argc, argv, commandLine, {}, metrics ? &metrics->meters() : nullptr);
}
