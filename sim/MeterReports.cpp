// SPDX-License-Identifier: GPL-3.0-or-later
// The input reports the simulated meter sends, built from its state.

#include "MeterWire.h"
#include "SimMeter.h"

#include <cmath>
#include <cstring>

namespace sim {
namespace {

constexpr double maxRawValue = 4294967295.0; // largest uint32

// Millionths of the unit, rounded; negative (and NaN) values read 0, too large ones saturate.
uint32_t rawValue(double value) {
    const double scaled = value * wire::measurement::unitsPerValue;
    if (!(scaled > 0.0))
        return 0;
    if (scaled >= maxRawValue)
        return 0xFFFFFFFFu;
    return static_cast<uint32_t>(std::llround(scaled));
}

void putLittleEndian(Report& report, std::size_t offset, uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        report[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// The float's bit pattern, most significant byte first.
void putFloatBigEndian(Report& report, std::size_t offset, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < 4; ++i)
        report[offset + i] = static_cast<unsigned char>(bits >> (8 * (3 - i)));
}

} // namespace

Report measurementReport(const MeterState& state) {
    namespace m = wire::measurement;
    Report report{};
    report[0] = wire::inputMarker;
    report[1] = m::kind;
    report[2] = m::second;
    report[3] = m::third;
    for (std::size_t i = 0; i < state.channels.size(); ++i)
        putLittleEndian(report, m::channelsOffset + 4 * i, rawValue(state.channels[i]));
    report[m::directionOffset] = state.direction;
    return report;
}

Report settingsReport(const MeterState& state) {
    namespace s = wire::settings;
    Report report{};
    report[0] = wire::inputMarker;
    report[1] = s::kind;
    report[2] = s::second;
    report[s::languageOffset] = state.language;
    report[s::workBrightnessOffset] = state.workBrightness;
    report[s::standbyBrightnessOffset] = state.standbyBrightness;
    report[s::standbyTimeOffset] = state.standbyTime;
    report[s::standbyStyleOffset] = state.standbyStyle;
    report[s::rotationSwitchOffset] = state.rotationSwitch;
    putFloatBigEndian(report, s::voltCalOffset, state.voltCalFactor);
    putFloatBigEndian(report, s::currCalOffset, state.currCalFactor);
    putFloatBigEndian(report, s::tempCalOffset, state.tempCalFactor);
    putFloatBigEndian(report, s::minCurrentOffset, state.minCurrent);
    report[s::endOffset] = wire::frameEndFirst;
    report[s::endOffset + 1] = wire::frameEndSecond;
    return report;
}

} // namespace sim
