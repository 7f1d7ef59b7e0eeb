// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardFormat.h"

namespace {

// The large readings keep eight characters by trading decimals for integer digits.
constexpr int largeReadingWidth = 8;
constexpr float twoDigitReading = 10.0f;
constexpr float threeDigitReading = 100.0f;
constexpr int oneDigitDecimals = 6;
constexpr int twoDigitDecimals = 5;
constexpr int threeDigitDecimals = 4;

constexpr int lineVoltageDecimals = 3;
constexpr int temperatureDecimals = 1;

// The meter reports one of 0, 0.01 or 0.02 A; the windows absorb float rounding.
constexpr double zeroAmpBelow = 0.001;
constexpr double tenMilliampLow = 0.009;
constexpr double tenMilliampHigh = 0.011;
constexpr double twentyMilliampLow = 0.019;
constexpr double twentyMilliampHigh = 0.021;

constexpr float floatingInputBelow = 3.0f; // V

int largeReadingDecimals(float value) {
    if (value >= threeDigitReading)
        return threeDigitDecimals;
    if (value >= twoDigitReading)
        return twoDigitDecimals;
    return oneDigitDecimals;
}

bool strictlyBetween(double value, double low, double high) {
    return value > low && value < high;
}

} // namespace

QString formatLargeReading(float value) {
    return QStringLiteral("%1").arg(value, largeReadingWidth, 'f', largeReadingDecimals(value),
                                    QChar(' '));
}

QString formatLineVoltage(float value) {
    return QString::number(value, 'f', lineVoltageDecimals);
}

QString formatTemperature(float value) {
    return QString::number(value, 'f', temperatureDecimals);
}

GaugeLevel gaugeLevel(float value, float fullScale) {
    const float level = value / fullScale * float(Gauge::span) + float(Gauge::emptyLevel);
    // NaN and anything below the empty mark (only a negative value) show an empty gauge;
    // this also keeps the int conversion below in range.
    if (!(level >= float(Gauge::emptyLevel)))
        return {Gauge::emptyLevel, false};
    if (level < float(Gauge::fullLevel))
        return {int(level), false};
    return {Gauge::fullLevel, true};
}

MinCurrentChoice minCurrentChoice(float minCurrent) {
    if (minCurrent < zeroAmpBelow)
        return MinCurrentChoice::ZeroAmp;
    if (strictlyBetween(minCurrent, tenMilliampLow, tenMilliampHigh))
        return MinCurrentChoice::TenMilliamp;
    if (strictlyBetween(minCurrent, twentyMilliampLow, twentyMilliampHigh))
        return MinCurrentChoice::TwentyMilliamp;
    return MinCurrentChoice::Unchanged;
}

bool showFloatingInputHint(float vbus) {
    return vbus < floatingInputBelow;
}
