// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder over simulated meters: two phones charging, the second meter plugged in a
// few seconds after the first, each with its own serial.
#include "DemoSession.h"
#include "LoggerMain.h"

#include <memory>

int main(int argc, char** argv) {
    static constexpr int demoMeters = 2;
    std::unique_ptr<sim::DemoSession> session;
    LoggerHooks hooks;
    hooks.started = [&session] {
        session = std::make_unique<sim::DemoSession>(demoMeters);
        session->start();
    };
    return runLogger(argc, argv, hooks);
}
