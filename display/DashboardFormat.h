// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Widget-free rules of the live dashboard: number formats, gauge levels, option choice.
namespace Gauge {
inline constexpr float vbusFullScale = 50.0f;   // V
inline constexpr float ibusFullScale = 6.5f;    // A
inline constexpr float powerFullScale = 325.0f; // W
inline constexpr int emptyLevel = 13;           // an empty gauge is never blank
inline constexpr int span = 87;
inline constexpr int fullLevel = 100;
} // namespace Gauge

// Right-aligned in 8 characters: 6 decimals below 10, 5 below 100, else 4.
QString formatLargeReading(float value);
// D+, D-, CC1, CC2: three decimals.
QString formatLineVoltage(float value);
// CPU temperature: one decimal.
QString formatTemperature(float value);

struct GaugeLevel {
    int value;      // 13..100
    bool saturated; // at or above full scale: red chunk and 100
};
GaugeLevel gaugeLevel(float value, float fullScale);

enum class MinCurrentChoice { ZeroAmp, TenMilliamp, TwentyMilliamp, Unchanged };
MinCurrentChoice minCurrentChoice(float minCurrent);

// Below 3 V the bus input is taken as floating and the hint is shown.
bool showFloatingInputHint(float vbus);
