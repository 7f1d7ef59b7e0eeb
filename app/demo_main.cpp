// SPDX-License-Identifier: GPL-3.0-or-later
// The real program over the simulated meter: a phone charging, plugged in after a second.
#include "Application.h"
#include "DemoSession.h"
#include "MetricsOption.h"

#include <memory>

int main(int argc, char** argv) {
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitCode)
        return *commandLine.exitCode;
    const auto metrics = serveMetricsOrExit(commandLine.metricsAddress);
    std::unique_ptr<sim::DemoSession> session;
    return runApplication(
        argc, argv, commandLine,
        [&session] {
            session = std::make_unique<sim::DemoSession>();
            session->start();
        },
        metrics ? &metrics->meters() : nullptr);
}
