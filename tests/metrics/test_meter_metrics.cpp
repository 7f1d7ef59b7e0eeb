// SPDX-License-Identifier: GPL-3.0-or-later
#include "Collected.h"
#include "MetricsAddress.h"

#include <QtTest>

class MeterMetricsTest : public QObject {
    Q_OBJECT
private slots:
    void addressOption_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("listening"); // empty: refused
        const struct {
            const char *name, *text, *listening;
        } rows[] = {
            {"port only is loopback", "9100", "127.0.0.1:9100"},
            {"all interfaces when asked", "0.0.0.0:9100", "0.0.0.0:9100"},
            {"IPv6, which the server cannot bind", "[::1]:9200", ""},
            {"host name", "localhost:9100", ""},
            {"short IPv4", "1.2.3:9100", ""},
            {"port too large", "70000", ""},
            {"trailing junk", "9100x", ""},
            {"signed port", "+9100", ""},
            {"no port", "127.0.0.1:", ""},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name)
                << QString::fromLatin1(row.text) << QString::fromLatin1(row.listening);
    }
    void addressOption() {
        QFETCH(QString, text);
        QFETCH(QString, listening);
        QString error;
        const std::optional<MetricsAddress> address = parseMetricsAddress(text, &error);
        QCOMPARE(address.has_value(), !listening.isEmpty());
        if (address)
            QCOMPARE(QString::fromStdString(address->listeningPort()), listening);
        else
            QVERIFY(!error.isEmpty());
    }

    // Charge and energy are trapezoids over the monotonic time between samples, with
    // nothing for the time a meter was away; a replugged meter shows no value until its
    // first new sample.
    void countersSpanUnplugsAndValuesWaitForAFreshSample() {
        MeterMetrics m;
        const QString meter = QStringLiteral("A1");
        MeterMetrics::Values first{}, second{};
        first[IBUS] = 1.5f, first[POWER] = 7.5f, second[IBUS] = 2.5f, second[POWER] = 12.5f;
        m.meterConnected(meter, QStringLiteral("K82"));
        m.sampleRecorded(meter, first, 1'700'000'000'250, 10'000);
        m.sampleRecorded(meter, second, 1'700'000'002'250, 12'000);
        QCOMPARE(collected(m, "usb_meter_charge_coulombs_total", meter).value_or(-1),
                 4.0); // 2 A for 2 s
        QCOMPARE(collected(m, "usb_meter_energy_joules_total", meter).value_or(-1), 20.0);
        QCOMPARE(collected(m, "usb_meter_last_sample_timestamp_seconds", meter).value_or(-1),
                 1'700'000'002.25);

        m.meterLost(meter);
        m.meterConnected(meter, QStringLiteral("K82"));
        QCOMPARE(collected(m, "usb_meter_up", meter).value_or(-1), 1.0);
        QVERIFY(!collected(m, "usb_meter_power_watts", meter));
        m.sampleRecorded(meter, first, 1'700'000'030'000, 40'000);
        QCOMPARE(collected(m, "usb_meter_power_watts", meter).value_or(-1), 7.5);
        QCOMPARE(collected(m, "usb_meter_charge_coulombs_total", meter).value_or(-1), 4.0);
        QCOMPARE(collected(m, "usb_meter_samples_total", meter).value_or(-1), 3.0);
    }
};

QTEST_GUILESS_MAIN(MeterMetricsTest)
#include "test_meter_metrics.moc"
