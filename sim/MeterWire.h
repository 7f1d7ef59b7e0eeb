// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Bytes of the meter's reports as the meter sees them: output reports written by the host
// and the input reports the meter answers with.

#include <array>
#include <cstddef>
#include <cstdint>

namespace sim::wire {

inline constexpr std::size_t reportSize = 64;

// Output reports: command frames 55 05 LEN CODE ... EE FF at the start of the report.
inline constexpr uint8_t reportId = 0x55;
inline constexpr uint8_t frameHeader = 0x05;
inline constexpr uint8_t shortFrameLength = 0x09; // CODE 00 00 00 EE FF
inline constexpr uint8_t longFrameLength = 0x0A;  // CODE p31..24 p23..16 p15..8 p7..0 EE FF
inline constexpr std::size_t frameLengthOffset = 2;
inline constexpr std::size_t commandCodeOffset = 3;
inline constexpr std::size_t parameterOffset = 4;
inline constexpr uint8_t frameEndFirst = 0xEE;
inline constexpr uint8_t frameEndSecond = 0xFF;

// The request for one measurement report.
inline constexpr std::array<uint8_t, 9> pollFrame{0x55, 0x05, 0x22, 0x05, 0x0B,
                                                  0x00, 0x8C, 0xEE, 0xFF};

namespace command {
inline constexpr uint8_t upgradeMode = 0x02;
inline constexpr uint8_t languageChinese = 0x20;
inline constexpr uint8_t languageEnglish = 0x21;
inline constexpr uint8_t workBrightness = 0x22;
inline constexpr uint8_t standbyBrightness = 0x23;
inline constexpr uint8_t standbyTime = 0x24;
inline constexpr uint8_t standbyStyle1 = 0x25;
inline constexpr uint8_t standbyStyle2 = 0x26;
inline constexpr uint8_t factoryReset = 0x28;
inline constexpr uint8_t voltageCalibration = 0x2A;
inline constexpr uint8_t currentCalibration = 0x2B;
inline constexpr uint8_t temperatureCalibration = 0x2C;
inline constexpr uint8_t minCurrentZero = 0x2D;
inline constexpr uint8_t minCurrent10mA = 0x2E;
inline constexpr uint8_t minCurrent20mA = 0x2F;
inline constexpr uint8_t standbyStyle3 = 0x30;
inline constexpr uint8_t rotationOn = 0x31;
inline constexpr uint8_t rotationOff = 0x32;
inline constexpr uint8_t settingsPageEntered = 0x46;
} // namespace command

// Values the commands select.
inline constexpr uint8_t languageChineseValue = 0;
inline constexpr uint8_t languageEnglishValue = 1;
inline constexpr uint8_t standbyStyle1Value = 1;
inline constexpr uint8_t standbyStyle2Value = 2;
inline constexpr uint8_t standbyStyle3Value = 3;
inline constexpr uint8_t rotationOnValue = 1;
inline constexpr uint8_t rotationOffValue = 0;
inline constexpr float minCurrentZeroAmps = 0.0f;
inline constexpr float minCurrent10mAAmps = 0.01f;
inline constexpr float minCurrent20mAAmps = 0.02f;

// Input reports all start with this marker.
inline constexpr uint8_t inputMarker = 0xAA;

// Measurement report: AA 40 62 05, nine little-endian uint32 in millionths of their unit.
namespace measurement {
inline constexpr uint8_t kind = 0x40;
inline constexpr uint8_t second = 0x62;
inline constexpr uint8_t third = 0x05;
inline constexpr std::size_t channelsOffset = 8;
inline constexpr std::size_t directionOffset = 60;
inline constexpr double unitsPerValue = 1e6;
} // namespace measurement

// Settings report: AA 05 40, six setting bytes, four big-endian IEEE 754 floats, EE FF.
namespace settings {
inline constexpr uint8_t kind = 0x05;
inline constexpr uint8_t second = 0x40;
inline constexpr std::size_t languageOffset = 8;
inline constexpr std::size_t workBrightnessOffset = 9;
inline constexpr std::size_t standbyBrightnessOffset = 10;
inline constexpr std::size_t standbyTimeOffset = 11;
inline constexpr std::size_t standbyStyleOffset = 12;
inline constexpr std::size_t rotationSwitchOffset = 13;
inline constexpr std::size_t voltCalOffset = 16;
inline constexpr std::size_t currCalOffset = 20;
inline constexpr std::size_t tempCalOffset = 24;
inline constexpr std::size_t minCurrentOffset = 28;
inline constexpr std::size_t endOffset = 62;
} // namespace settings

} // namespace sim::wire
