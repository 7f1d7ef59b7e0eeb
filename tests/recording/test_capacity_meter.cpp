// SPDX-License-Identifier: GPL-3.0-or-later
#include "CapacityMeter.h"

#include <QTest>

#include <cmath>

namespace {

constexpr qint64 second = 1000;

} // namespace

// Integration over real time between reports, and the test's start, pause, reset and end.
class CapacityMeterTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        meter = CapacityMeter();
        meter.start();
        nowMs = 123456; // a monotonic clock starts anywhere
    }

    // A linear ramp is integrated exactly by trapezoids whatever the spacing of reports;
    // energy, averages and peaks come from the same intervals.
    void aRampIntegratesToItsTrapezoidAtUnevenSpacing() {
        const qint64 t0 = nowMs;
        const qint64 steps[] = {700, 1300, 1000, 450, 1550};
        for (int i = 0; nowMs - t0 < 100 * second; ++i) {
            const double amps = 2.0 * double(nowMs - t0) / double(100 * second);
            meter.addReading(nowMs, 5.0, amps, 5.0 * amps);
            nowMs += steps[i % 5];
        }
        const CapacityMeter::Totals t = meter.totals();
        const double lastSecs = double(t.elapsedMs) / 1000.0;
        const double lastAmps = 2.0 * lastSecs / 100.0;
        QCOMPARE(t.milliampHours, lastAmps / 2.0 * lastSecs * 1000.0 / 3600.0);
        QCOMPARE(t.wattHours, 5.0 * t.milliampHours / 1000.0);
        QCOMPARE(t.peakAmps, lastAmps);
        QCOMPARE(t.peakVolts, 5.0);
        QCOMPARE(t.averageAmps, lastAmps / 2.0);
        QCOMPARE(t.averageWatts, 5.0 * lastAmps / 2.0);
    }

    void repeatedOrEarlierTimesAddNothingAndNeverSubtract() {
        meter.addReading(nowMs, 5.0, 1.0, 5.0);
        meter.addReading(nowMs + second, 5.0, 1.0, 5.0);
        meter.addReading(nowMs + second, 5.0, 3.0, 15.0);
        meter.addReading(nowMs + second / 2, 5.0, 1.0, 5.0);
        meter.addReading(nowMs - 10 * second, 5.0, 1.0, 5.0);
        QCOMPARE(meter.totals().milliampHours, 1.0 / 3.6);
        meter.addReading(nowMs + 2 * second, 5.0, 1.0, 5.0);
        QCOMPARE(meter.totals().milliampHours, 2.0 / 3.6);
        QCOMPARE(meter.totals().elapsedMs, 2 * second);
        QCOMPARE(meter.totals().peakAmps, 1.0);
    }

    void absurdReadingsStayFiniteAndNonNumbersAreIgnored() {
        feedSteady(48 * 3600 + 1, 4294.967, 4294.967);
        const CapacityMeter::Totals t = meter.totals();
        QVERIFY(std::isfinite(t.milliampHours) && std::isfinite(t.wattHours));
        QCOMPARE(t.milliampHours, 4294.967 * 48 * 1000);
        meter.addReading(nowMs, NAN, 1.0, INFINITY);
        nowMs += second;
        meter.addReading(nowMs, 5.0, 1.0, 5.0);
        // The bad report was dropped whole: the next interval runs from the last good one.
        QCOMPARE(meter.totals().elapsedMs, t.elapsedMs + 2 * second);
        QVERIFY(std::isfinite(meter.totals().wattHours));
        QCOMPARE(meter.totals().peakVolts, 4294.967);
    }

    void lowCurrentHeldForTheHoldTimeEndsTheTest() {
        feedSteady(10, 4.0, 1.0);
        feedSteady(30, 4.0, 0.01);
        feedSteady(1, 4.0, 0.2); // a brief rise starts the hold again
        feedSteady(60, 4.0, 0.01);
        QCOMPARE(meter.state(), CapacityMeter::State::Running);
        feedSteady(1, 4.0, 0.01); // 60 s after the first low report since the rise
        QCOMPARE(meter.state(), CapacityMeter::State::Ended);
        QCOMPARE(meter.endReason(), CapacityMeter::EndReason::LowCurrent);
        const double charge = meter.totals().milliampHours;
        feedSteady(5, 4.0, 1.0);
        QCOMPARE(meter.totals().milliampHours, charge); // ended: nothing more is added
    }

    // A start after the end begins afresh with the same limits; reset makes the meter idle.
    void voltageCutOffIsOffByDefaultAndEndsAtOnceWhenOn() {
        feedSteady(3, 0.0, 1.0);
        QCOMPARE(meter.state(), CapacityMeter::State::Running);
        CapacityMeter::Limits limits;
        limits.cutOffEnabled = true;
        limits.cutOffVolts = 3.0;
        meter.setLimits(limits);
        feedSteady(1, 3.0, 1.0);
        QCOMPARE(meter.state(), CapacityMeter::State::Running);
        feedSteady(1, 2.99, 1.0);
        QCOMPARE(meter.state(), CapacityMeter::State::Ended);
        QCOMPARE(meter.endReason(), CapacityMeter::EndReason::LowVoltage);
        meter.start();
        QCOMPARE(meter.state(), CapacityMeter::State::Running);
        QCOMPARE(meter.endReason(), CapacityMeter::EndReason::None);
        QCOMPARE(meter.totals().elapsedMs, 0);
        QVERIFY(meter.limits().cutOffEnabled);
        feedSteady(3, 5.0, 1.0);
        meter.reset();
        QCOMPARE(meter.state(), CapacityMeter::State::Idle);
        QCOMPARE(meter.totals().peakAmps, 0.0);
        feedSteady(3, 5.0, 1.0); // idle: nothing is counted
        QCOMPARE(meter.totals().elapsedMs, 0);
    }

    void gapsAndPausesAddNothingAndTheTotalsResume() {
        feedSteady(11, 5.0, 1.0);
        nowMs += 60 * second; // unplugged for a minute
        feedSteady(11, 5.0, 1.0);
        QCOMPARE(meter.totals().elapsedMs, 20 * second);
        meter.pause();
        feedSteady(30, 5.0, 1.0);
        QCOMPARE(meter.totals().elapsedMs, 20 * second);
        meter.start();
        feedSteady(6, 5.0, 1.0);
        QCOMPARE(meter.totals().elapsedMs, 25 * second);
        QCOMPARE(meter.totals().milliampHours, 25.0 / 3.6);
    }

private:
    // `count` reports one second apart, the first at the current time: count - 1 seconds.
    void feedSteady(int count, double volts, double amps) {
        for (int i = 0; i < count; ++i) {
            meter.addReading(nowMs, volts, amps, volts * amps);
            nowMs += second;
        }
    }

    CapacityMeter meter;
    qint64 nowMs = 0;
};

QTEST_APPLESS_MAIN(CapacityMeterTest)
#include "test_capacity_meter.moc"
