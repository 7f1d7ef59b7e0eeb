// The demo's charging story and the session that plays it on a simulated meter.

#include "SimTestSupport.h"

#include <ChargingStory.h>
#include <DemoSession.h>

#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

enum { vbus, ibus, power, dPlus, dMinus, cc1, cc2, cpuTemp, ntcTemp };

constexpr int64_t second = 1000;
constexpr int64_t minute = 60 * second;

// Mean of one channel over a window, sampled every 200 ms, so the noise averages out.
double meanOf(int channel, int64_t fromMs, int64_t toMs) {
    double sum = 0.0;
    int count = 0;
    for (int64_t t = fromMs; t < toMs; t += 200, ++count)
        sum += sim::chargingStoryAt(t).channels[size_t(channel)];
    return sum / count;
}

// Checks `check` at every 200 ms sample in [fromMs, toMs); returns the first failing time.
int64_t firstFailure(int64_t fromMs, int64_t toMs,
                     const std::function<bool(const sim::Measurement&)>& check) {
    for (int64_t t = fromMs; t < toMs; t += 200) {
        if (!check(sim::chargingStoryAt(t)))
            return t;
    }
    return -1;
}

} // namespace

class SimDemoTest : public QObject {
    Q_OBJECT

private slots:
    void init() { sim::reset(); }
    void cleanupTestCase() { sim::reset(); }

    // Charging story
    void phoneIdlesAtFiveVoltsBeforeNegotiation();
    void negotiationRaisesVbusToNineVoltsWhileCharging();
    void currentPeaksNearTwoAmpsThenTapersOverMinutes();
    void powerIsVoltageTimesCurrent();
    void linesStayAtTheirDividerAndSourceLevels();
    void temperaturesDriftUpwards();
    void storyIsRepeatableButNoisy();

    // Session
    void sessionPlugsOneDefaultMeterThatFollowsTheStory();
};

void SimDemoTest::phoneIdlesAtFiveVoltsBeforeNegotiation() {
    QCOMPARE(firstFailure(0, 9800,
                          [](const sim::Measurement& m) {
                              return m.channels[vbus] > 4.9 && m.channels[vbus] < 5.25 &&
                                     m.channels[ibus] < 0.1 && m.direction == 0;
                          }),
             int64_t(-1));
}

void SimDemoTest::negotiationRaisesVbusToNineVoltsWhileCharging() {
    QCOMPARE(firstFailure(15 * second, 30 * minute,
                          [](const sim::Measurement& m) {
                              return m.channels[vbus] > 8.7 && m.channels[vbus] < 9.2 &&
                                     m.direction == 1;
                          }),
             int64_t(-1));
}

void SimDemoTest::currentPeaksNearTwoAmpsThenTapersOverMinutes() {
    const double peak = meanOf(ibus, 30 * second, 90 * second);
    QVERIFY2(peak > 1.9 && peak < 2.2, qPrintable(QString::number(peak)));

    const double afterFive = meanOf(ibus, 7 * minute, 8 * minute);
    const double afterFifteen = meanOf(ibus, 17 * minute, 18 * minute);
    QVERIFY2(afterFive < peak - 0.3, qPrintable(QString::number(afterFive)));
    QVERIFY2(afterFifteen < afterFive - 0.2, qPrintable(QString::number(afterFifteen)));
    QVERIFY(afterFifteen > 0.1); // still charging
}

void SimDemoTest::powerIsVoltageTimesCurrent() {
    for (int64_t t : {int64_t(0), 5 * second, 12 * second, 40 * second, 10 * minute}) {
        const sim::Measurement m = sim::chargingStoryAt(t);
        QVERIFY(qFuzzyCompare(m.channels[power], m.channels[vbus] * m.channels[ibus]));
    }
    QVERIFY(meanOf(power, 30 * second, 90 * second) > 17.0); // about 9 V at 2 A
}

void SimDemoTest::linesStayAtTheirDividerAndSourceLevels() {
    QCOMPARE(firstFailure(0, 20 * minute,
                          [](const sim::Measurement& m) {
                              return m.channels[dPlus] > 0.55 && m.channels[dPlus] < 0.65 &&
                                     m.channels[dMinus] > 0.55 && m.channels[dMinus] < 0.65 &&
                                     m.channels[cc1] > 1.6 && m.channels[cc1] < 1.8 &&
                                     m.channels[cc2] >= 0.0 && m.channels[cc2] < 0.05;
                          }),
             int64_t(-1));
}

void SimDemoTest::temperaturesDriftUpwards() {
    QVERIFY(std::abs(sim::chargingStoryAt(0).channels[cpuTemp] - 30.0) < 0.5);
    QVERIFY(std::abs(meanOf(cpuTemp, 40 * minute, 41 * minute) - 38.0) < 0.5);
    QVERIFY(meanOf(cpuTemp, 5 * minute, 6 * minute) > meanOf(cpuTemp, 1 * minute, 2 * minute));
    QVERIFY(meanOf(ntcTemp, 20 * minute, 21 * minute) >
            sim::chargingStoryAt(0).channels[ntcTemp] + 2.0);
}

void SimDemoTest::storyIsRepeatableButNoisy() {
    const sim::Measurement once = sim::chargingStoryAt(61 * second);
    const sim::Measurement again = sim::chargingStoryAt(61 * second);
    QVERIFY(once.channels == again.channels);
    QCOMPARE(once.direction, again.direction);

    // The next 200 ms step brings new noise, small against the value.
    const sim::Measurement next = sim::chargingStoryAt(61 * second + 200);
    QVERIFY(next.channels[vbus] != once.channels[vbus]);
    QVERIFY(std::abs(next.channels[vbus] - once.channels[vbus]) < 0.05);
}

void SimDemoTest::sessionPlugsOneDefaultMeterThatFollowsTheStory() {
    sim::DemoSession session;
    QSignalSpy plugged(&session, &sim::DemoSession::meterPlugged);
    session.start();
    QVERIFY(plugged.wait(10000));
    const int id = plugged.takeFirst().at(0).toInt();
    QVERIFY(sim::isPlugged(id));

    hid_device_info* list = hid_enumerate(0, 0);
    QVERIFY(list != nullptr);
    QCOMPARE(list->vendor_id, meterVendor);
    QCOMPARE(list->product_id, meterProduct);
    QCOMPARE(QString::fromWCharArray(list->product_string), QStringLiteral("USB K82 V1.0"));
    const bool single = list->next == nullptr;
    hid_free_enumeration(list);
    QVERIFY(single);

    // Settings written by the host survive the session's updates of the readings.
    Handle handle = openMeter();
    QCOMPARE(writeFrame(handle.get(), QByteArray::fromHex("55050921000000eeff")), 64);
    const auto first = sim::state(id).channels;
    QTRY_VERIFY_WITH_TIMEOUT(sim::state(id).channels != first, 10000);
    QCOMPARE(sim::state(id).language, uint8_t(1));
    QVERIFY(std::abs(sim::state(id).channels[vbus] - 5.0) < 0.3);
}

QTEST_GUILESS_MAIN(SimDemoTest)
#include "test_sim_demo.moc"
