// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// A battery capacity test, widget-free: charge and energy integrated over the real time
// between reports (trapezoids on a monotonic clock), with averages, peaks and an automatic
// end. Fed once per report; a report that comes late by more than maxReportGapMs (a
// meter unplugged) adds nothing for the gap, and a time that does not move forward adds
// nothing at all.
class CapacityMeter {
public:
    static constexpr qint64 maxReportGapMs = 5000;

    struct Limits {
        double endCurrentAmps = 0.05; // the test ends when the current stays below this...
        int endHoldSecs = 60;         // ...for this long
        bool cutOffEnabled = false;   // or when the voltage falls below cutOffVolts
        double cutOffVolts = 3.0;
    };
    enum class State { Idle, Running, Paused, Ended };
    enum class EndReason { None, LowCurrent, LowVoltage };

    struct Totals {
        double milliampHours = 0;
        double wattHours = 0;
        qint64 elapsedMs = 0; // time covered by reports, gaps and pauses left out
        double averageVolts = 0, averageAmps = 0, averageWatts = 0;
        double peakVolts = 0, peakAmps = 0, peakWatts = 0;
    };

    void setLimits(const Limits& limits) { endLimits = limits; }
    const Limits& limits() const { return endLimits; }

    // Idle or paused: runs (a paused test resumes its totals). Ended: a fresh test.
    void start();
    void pause();
    // Back to idle with zero totals.
    void reset();
    // Nothing is known from now until the next report (meter unplugged, firmware being
    // written): that report starts afresh instead of closing a trapezoid over the gap.
    void gap();
    // One report at monotonic time nowMs, in V, A and W.
    void addReading(qint64 nowMs, double volts, double amps, double watts);

    State state() const { return runState; }
    EndReason endReason() const { return reason; }
    Totals totals() const;

private:
    struct Point {
        qint64 ms;
        double volts, amps, watts;
    };
    void integrateTo(const Point& p);
    void notePeaks(const Point& p);
    void checkEnd(const Point& p);
    void end(EndReason why);

    Limits endLimits;
    State runState = State::Idle;
    EndReason reason = EndReason::None;
    bool havePrevious = false;
    Point previous{};
    // Integrals over time in unit-milliseconds.
    double voltMs = 0, ampMs = 0, wattMs = 0;
    qint64 coveredMs = 0;
    double peakVolts = 0, peakAmps = 0, peakWatts = 0;
    bool lowCurrent = false;
    qint64 lowCurrentSinceMs = 0;
};
