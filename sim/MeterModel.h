// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the simulated meter does with the output reports the host writes to it.

#include "BootLoader.h"
#include "SimMeter.h"

#include <optional>
#include <vector>

namespace sim {

class MeterModel {
public:
    explicit MeterModel(const MeterState& state) : current(state) {}

    // One 64-byte output report; returns what the meter does in answer. Reports the meter
    // does not understand change nothing and get no answer. In upgrade mode the boot
    // loader answers instead, and polls go unanswered.
    Answer handleOutput(const Report& report);

    MeterState& state() { return current; }
    const MeterState& state() const { return current; }
    BootLoader& bootLoader() { return loader; }
    const BootLoader& bootLoader() const { return loader; }

private:
    struct Command {
        uint8_t code;
        bool hasParameter; // 10-byte frame
        uint32_t parameter;
    };

    static std::optional<Command> parseCommand(const Report& report);
    std::vector<Report> handleCommand(const Command& command);
    void applyParameter(uint8_t code, uint32_t parameter);
    void restoreFactorySettings();

    MeterState current;
    BootLoader loader;
};

} // namespace sim
