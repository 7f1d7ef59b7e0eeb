// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterModel.h"

#include "MeterWire.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {

bool startsWithPollFrame(const Report& report) {
    return std::equal(wire::pollFrame.begin(), wire::pollFrame.end(), report.begin());
}

uint32_t bigEndianAt(const Report& report, std::size_t offset) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | report[offset + i];
    return value;
}

// The parameter carries the IEEE 754 bits of the factor, not a number to convert.
float floatFromBits(uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

Answer MeterModel::handleOutput(const Report& report) {
    const std::optional<Command> command = parseCommand(report);
    if (command && !command->hasParameter && command->code == wire::command::upgradeMode) {
        loader.enter();
        return {};
    }
    if (loader.active())
        return loader.handleOutput(report);
    if (startsWithPollFrame(report))
        return {current.answersPolls ? std::vector<Report>{measurementReport(current)}
                                     : std::vector<Report>{}};
    if (!command)
        return {};
    return {handleCommand(*command)};
}

std::optional<MeterModel::Command> MeterModel::parseCommand(const Report& report) {
    if (report[0] != wire::reportId || report[1] != wire::frameHeader)
        return std::nullopt;
    const uint8_t length = report[wire::frameLengthOffset];
    if (length != wire::shortFrameLength && length != wire::longFrameLength)
        return std::nullopt;
    if (report[length - 2] != wire::frameEndFirst || report[length - 1] != wire::frameEndSecond)
        return std::nullopt;
    const bool hasParameter = length == wire::longFrameLength;
    return Command{report[wire::commandCodeOffset], hasParameter,
                   hasParameter ? bigEndianAt(report, wire::parameterOffset) : 0};
}

std::vector<Report> MeterModel::handleCommand(const Command& command) {
    namespace code = wire::command;
    if (command.hasParameter) {
        applyParameter(command.code, command.parameter);
        return {};
    }
    switch (command.code) {
    case code::settingsPageEntered:
        return {settingsReport(current)};
    case code::languageChinese:
        current.language = wire::languageChineseValue;
        break;
    case code::languageEnglish:
        current.language = wire::languageEnglishValue;
        break;
    case code::standbyStyle1:
        current.standbyStyle = wire::standbyStyle1Value;
        break;
    case code::standbyStyle2:
        current.standbyStyle = wire::standbyStyle2Value;
        break;
    case code::standbyStyle3:
        current.standbyStyle = wire::standbyStyle3Value;
        break;
    case code::minCurrentZero:
        current.minCurrent = wire::minCurrentZeroAmps;
        break;
    case code::minCurrent10mA:
        current.minCurrent = wire::minCurrent10mAAmps;
        break;
    case code::minCurrent20mA:
        current.minCurrent = wire::minCurrent20mAAmps;
        break;
    case code::rotationOn:
        current.rotationSwitch = wire::rotationOnValue;
        break;
    case code::rotationOff:
        current.rotationSwitch = wire::rotationOffValue;
        break;
    case code::factoryReset:
        restoreFactorySettings();
        break;
    default:
        break; // the meter accepts the code without a visible effect
    }
    return {};
}

void MeterModel::applyParameter(uint8_t code, uint32_t parameter) {
    namespace c = wire::command;
    // The setting bytes hold the parameter's low byte; the host's ranges all fit in it.
    const auto lowByte = static_cast<uint8_t>(parameter);
    switch (code) {
    case c::workBrightness:
        current.workBrightness = lowByte;
        break;
    case c::standbyBrightness:
        current.standbyBrightness = lowByte;
        break;
    case c::standbyTime:
        current.standbyTime = lowByte;
        break;
    case c::voltageCalibration:
        current.voltCalFactor = floatFromBits(parameter);
        break;
    case c::currentCalibration:
        current.currCalFactor = floatFromBits(parameter);
        break;
    case c::temperatureCalibration:
        current.tempCalFactor = floatFromBits(parameter);
        break;
    default:
        break;
    }
}

// Settings and calibration go back to their defaults; the measured values are untouched.
void MeterModel::restoreFactorySettings() {
    const MeterState factory;
    current.language = factory.language;
    current.workBrightness = factory.workBrightness;
    current.standbyBrightness = factory.standbyBrightness;
    current.standbyTime = factory.standbyTime;
    current.standbyStyle = factory.standbyStyle;
    current.rotationSwitch = factory.rotationSwitch;
    current.voltCalFactor = factory.voltCalFactor;
    current.currCalFactor = factory.currCalFactor;
    current.tempCalFactor = factory.tempCalFactor;
    current.minCurrent = factory.minCurrent;
}

} // namespace sim
