#pragma once

// What the simulated meter does with the output reports the host writes to it.

#include "SimMeter.h"

#include <optional>
#include <vector>

namespace sim {

class MeterModel {
public:
    explicit MeterModel(const MeterState& state) : current(state) {}

    // One 64-byte output report; returns the input reports the meter sends in answer, in
    // order. Reports the meter does not understand change nothing and get no answer.
    std::vector<Report> handleOutput(const Report& report);

    MeterState& state() { return current; }
    const MeterState& state() const { return current; }

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
};

} // namespace sim
