// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChargingStory.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

enum Channel { vbus, ibus, power, dPlus, dMinus, cc1, cc2, cpuTemp, ntcTemp };

// Bus voltage, V, and the cable's droop under load, V per A.
constexpr double idleVolts = 5.08;
constexpr double fastChargeVolts = 9.05;
constexpr double droopVoltsPerAmp = 0.06;
// Seconds from plug-in to the fast-charge request, and the charger's voltage slew time.
constexpr double negotiationAt = 10.0;
constexpr double voltageRiseSeconds = 0.6;
// Current, A: the phone idles, ramps up once 9 V is there, holds, then tapers.
constexpr double idleAmps = 0.03;
constexpr double rampSeconds = 8.0;
constexpr double peakAmps = 2.05;
constexpr double taperFromSeconds = 120.0;
constexpr double taperTimeConstantSeconds = 480.0;
constexpr double taperFloorAmps = 0.3;
constexpr double chargingThresholdAmps = 0.1;
// Data and configuration lines, V: a divider near 0.6 V on D+/D-, a 3 A source on CC1.
constexpr double dataLineVolts = 0.6;
constexpr double cc1Volts = 1.68;
constexpr double cc2Volts = 0.002;
// Temperatures, degrees Celsius, drifting exponentially towards their end value.
constexpr double cpuStartCelsius = 30.0;
constexpr double cpuEndCelsius = 38.0;
constexpr double cpuTimeConstantSeconds = 300.0;
constexpr double ntcStartCelsius = 25.0;
constexpr double ntcEndCelsius = 29.5;
constexpr double ntcTimeConstantSeconds = 600.0;
// Noise amplitudes per channel (power has none of its own: it is V * I).
constexpr std::array<double, 9> noiseAmplitude{0.01, 0.004, 0.0,  0.008, 0.008,
                                               0.01, 0.002, 0.15, 0.05};
constexpr int64_t noiseStepMs = 200;

// A hash of (step, channel) mapped to [-1, 1]: repeatable, but without visible pattern.
double noise(int64_t step, int channel) {
    uint64_t x =
        static_cast<uint64_t>(step) * 0x9E3779B97F4A7C15ull + channel * 0xBF58476D1CE4E5B9ull;
    x ^= x >> 31;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 29;
    return static_cast<double>(x >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

double drift(double start, double end, double timeConstant, double seconds) {
    return end - (end - start) * std::exp(-seconds / timeConstant);
}

double nominalVolts(double seconds) {
    const double rise = std::clamp((seconds - negotiationAt) / voltageRiseSeconds, 0.0, 1.0);
    return idleVolts + (fastChargeVolts - idleVolts) * rise;
}

double nominalAmps(double seconds) {
    const double rampStart = negotiationAt + voltageRiseSeconds;
    if (seconds < rampStart)
        return idleAmps;
    if (seconds < rampStart + rampSeconds)
        return idleAmps + (peakAmps - idleAmps) * (seconds - rampStart) / rampSeconds;
    if (seconds < taperFromSeconds)
        return peakAmps;
    return taperFloorAmps + (peakAmps - taperFloorAmps) *
                                std::exp(-(seconds - taperFromSeconds) / taperTimeConstantSeconds);
}

} // namespace

Measurement chargingStoryAt(int64_t elapsedMs) {
    const double seconds = static_cast<double>(elapsedMs) / 1000.0;
    const int64_t step = elapsedMs / noiseStepMs;

    std::array<double, 9> nominal{};
    nominal[ibus] = nominalAmps(seconds);
    nominal[vbus] = nominalVolts(seconds) - droopVoltsPerAmp * nominal[ibus];
    nominal[dPlus] = dataLineVolts;
    nominal[dMinus] = dataLineVolts;
    nominal[cc1] = cc1Volts;
    nominal[cc2] = cc2Volts;
    nominal[cpuTemp] = drift(cpuStartCelsius, cpuEndCelsius, cpuTimeConstantSeconds, seconds);
    nominal[ntcTemp] = drift(ntcStartCelsius, ntcEndCelsius, ntcTimeConstantSeconds, seconds);

    Measurement reading{};
    for (int channel = 0; channel < static_cast<int>(nominal.size()); ++channel) {
        const double value = nominal[channel] + noiseAmplitude[channel] * noise(step, channel);
        reading.channels[channel] = std::max(0.0, value);
    }
    reading.channels[power] = reading.channels[vbus] * reading.channels[ibus];
    reading.direction = reading.channels[ibus] > chargingThresholdAmps ? 1 : 0;
    return reading;
}

} // namespace sim
