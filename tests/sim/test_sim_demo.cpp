// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's charging story and the session that plays it on a simulated meter.

#include <ChargingStory.h>
#include <DemoSession.h>
#include <SimMeter.h>
#include <hidapi.h>

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

enum { vbus, ibus, power, direction = 9 };

constexpr qint64 second = 1000;
constexpr qint64 minute = 60 * second;

double valueOf(const sim::Measurement& m, int channel) {
    return channel == direction ? m.direction : m.channels[size_t(channel)];
}

} // namespace

class SimDemoTest : public QObject {
    Q_OBJECT

private slots:
    void init() { sim::reset(); }
    void cleanupTestCase() { sim::reset(); }

    // Every 200 ms sample of each window lies within its band, its power is V * I.
    void channelsStayWithinTheirBands() {
        const struct {
            const char* what;
            int channel;
            qint64 fromMs, toMs;
            double low, high;
        } bands[] = {{"idle at 5 V before negotiation", vbus, 0, 9800, 4.9, 5.25},
                     {"idle current", ibus, 0, 9800, 0.0, 0.1},
                     {"not charging while idle", direction, 0, 9800, 0, 0},
                     {"9 V after negotiation", vbus, 15 * second, 30 * minute, 8.7, 9.2},
                     {"near 2 A at the peak", ibus, 30 * second, 90 * second, 1.9, 2.2},
                     {"charging after negotiation", direction, 15 * second, 30 * minute, 1, 1}};
        for (const auto& band : bands) {
            for (qint64 t = band.fromMs; t < band.toMs; t += 200) {
                const sim::Measurement m = sim::chargingStoryAt(t);
                const double value = valueOf(m, band.channel);
                QVERIFY2(
                    value >= band.low && value <= band.high,
                    qPrintable(QStringLiteral("%1: %2 at %3 ms").arg(band.what).arg(value).arg(t)));
                QVERIFY(qFuzzyCompare(m.channels[power], m.channels[vbus] * m.channels[ibus]));
            }
        }
    }

    // Settings written by the host survive the session's updates of the readings.
    void sessionPlugsOneDefaultMeterThatFollowsTheStory() {
        sim::DemoSession session;
        QSignalSpy plugged(&session, &sim::DemoSession::meterPlugged);
        session.start();
        QVERIFY(plugged.wait(10000));
        const int id = plugged.takeFirst().at(0).toInt();
        const int brightness = sim::state(id).workBrightness; // the reduced page's 10..100
        QVERIFY(brightness >= 10 && brightness <= 100);

        hid_device_info* list = hid_enumerate(0, 0);
        QVERIFY(list != nullptr);
        const bool single = list->next == nullptr;
        const bool meter = list->vendor_id == 0x0483 && list->product_id == 0x5750;
        const QString product = QString::fromWCharArray(list->product_string);
        hid_free_enumeration(list);
        QVERIFY(single && meter);
        QCOMPARE(product, QStringLiteral("USB K82 V1.0")); // a reduced-settings model

        unsigned char english[64] = {0x55, 0x05, 0x09, 0x21, 0x00, 0x00, 0x00, 0xEE, 0xFF};
        hid_device* handle = hid_open(0x0483, 0x5750, nullptr);
        QCOMPARE(hid_write(handle, english, sizeof english), 64);
        hid_close(handle);
        const auto first = sim::state(id).channels;
        QTRY_VERIFY_WITH_TIMEOUT(sim::state(id).channels != first, 10000);
        QCOMPARE(sim::state(id).language, uint8_t(1));
        QVERIFY(std::abs(sim::state(id).channels[vbus] - 5.0) < 0.3);
    }
};

QTEST_GUILESS_MAIN(SimDemoTest)
#include "test_sim_demo.moc"
