// SPDX-License-Identifier: GPL-3.0-or-later
#include "CapacityMeter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double msPerHour = 3600.0 * 1000.0;
constexpr double milliPerUnit = 1000.0;
constexpr qint64 msPerSec = 1000;

} // namespace

void CapacityMeter::start() {
    if (runState == State::Ended)
        reset();
    runState = State::Running;
    havePrevious = false;
    lowCurrent = false;
}

void CapacityMeter::pause() {
    if (runState == State::Running)
        runState = State::Paused;
}

void CapacityMeter::gap() {
    havePrevious = false;
    lowCurrent = false;
}

void CapacityMeter::reset() {
    const Limits kept = endLimits;
    *this = CapacityMeter();
    endLimits = kept;
}

void CapacityMeter::addReading(qint64 nowMs, double volts, double amps, double watts) {
    if (runState != State::Running)
        return;
    // A value no meter can mean (NaN, infinity) would poison every total from here on.
    if (!std::isfinite(volts) || !std::isfinite(amps) || !std::isfinite(watts))
        return;
    const Point p{nowMs, volts, amps, watts};
    if (havePrevious && p.ms <= previous.ms)
        return;
    integrateTo(p);
    notePeaks(p);
    previous = p;
    havePrevious = true;
    checkEnd(p);
}

void CapacityMeter::integrateTo(const Point& p) {
    if (!havePrevious)
        return;
    const qint64 dt = p.ms - previous.ms;
    if (dt > maxReportGapMs) {
        lowCurrent = false; // nothing is known of the gap
        return;
    }
    const double span = static_cast<double>(dt);
    voltMs += (previous.volts + p.volts) / 2.0 * span;
    ampMs += (previous.amps + p.amps) / 2.0 * span;
    wattMs += (previous.watts + p.watts) / 2.0 * span;
    coveredMs += dt;
}

void CapacityMeter::notePeaks(const Point& p) {
    peakVolts = std::max(peakVolts, p.volts);
    peakAmps = std::max(peakAmps, p.amps);
    peakWatts = std::max(peakWatts, p.watts);
}

void CapacityMeter::checkEnd(const Point& p) {
    if (endLimits.cutOffEnabled && p.volts < endLimits.cutOffVolts) {
        end(EndReason::LowVoltage);
        return;
    }
    if (!(p.amps < endLimits.endCurrentAmps)) {
        lowCurrent = false;
        return;
    }
    if (!lowCurrent) {
        lowCurrent = true;
        lowCurrentSinceMs = p.ms;
    }
    if (p.ms - lowCurrentSinceMs >= endLimits.endHoldSecs * msPerSec)
        end(EndReason::LowCurrent);
}

void CapacityMeter::end(EndReason why) {
    runState = State::Ended;
    reason = why;
}

CapacityMeter::Totals CapacityMeter::totals() const {
    Totals t;
    t.milliampHours = ampMs * milliPerUnit / msPerHour;
    t.wattHours = wattMs / msPerHour;
    t.elapsedMs = coveredMs;
    if (coveredMs > 0) {
        const double span = static_cast<double>(coveredMs);
        t.averageVolts = voltMs / span;
        t.averageAmps = ampMs / span;
        t.averageWatts = wattMs / span;
    }
    t.peakVolts = peakVolts;
    t.peakAmps = peakAmps;
    t.peakWatts = peakWatts;
    return t;
}
