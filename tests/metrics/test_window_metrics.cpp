// SPDX-License-Identifier: GPL-3.0-or-later
#include "../app/MeterFixture.h"
#include "Collected.h"
#include "MetricsServer.h"
#include "WindowMetrics.h"

#include <QProcess>
#include <QtTest>

namespace {

const QString serial = QStringLiteral("SIM0421");

// The values pass through unchanged; test_logger_metrics checks every gauge's name.
bool showsVoltageOf(const MeterMetrics& metrics, const sim::MeterState& state) {
    return float(collected(metrics, "usb_meter_bus_voltage_volts", serial).value_or(-1)) ==
           float(state.channels[VBUS]);
}

} // namespace

class WindowMetricsTest : public QObject {
    Q_OBJECT
private slots:
    // The window records a simulated meter: its metrics hold the values the meter sent,
    // count a report that does not decode, show up 0 while the meter is unplugged (what
    // else a lost meter shows is test_logger_metrics'), and the new values once it is back.
    void metricsFollowTheWindowsMeterThroughAnUnplug() {
        MeterFixture f;
        sim::Identity identity;
        identity.serial = serial.toStdWString();
        sim::MeterState state;
        state.channels = {5.12, 1.5, 7.68, 0.61, 0.59, 1.68, 0.02, 36.5, 25.0};
        const int meter = sim::plug(identity, state);
        MeterMetrics metrics;
        const WindowMetrics feed(metrics, f.open());

        QTRY_VERIFY_WITH_TIMEOUT(showsVoltageOf(metrics, state), MeterFixture::linkTimeoutMs);
        QCOMPARE(collected(metrics, "usb_meter_up", serial).value_or(-1), 1.0);
        sim::sendRawInput(meter, std::vector<unsigned char>(64, 0x5A));
        QTRY_COMPARE_WITH_TIMEOUT(
            collected(metrics, "usb_meter_rejected_reports_total", serial).value_or(-1), 1.0,
            MeterFixture::linkTimeoutMs);

        sim::unplug(meter);
        QTRY_COMPARE_WITH_TIMEOUT(collected(metrics, "usb_meter_up", serial).value_or(-1), 0.0,
                                  MeterFixture::linkTimeoutMs);

        state.channels[0] = 9.04;
        sim::setState(meter, state);
        sim::replug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(showsVoltageOf(metrics, state), MeterFixture::linkTimeoutMs);
    }

    // A taken port stops the program before its window, with the address named.
    void aTakenPortEndsTheWindowWithStatusTwo() {
        QString error;
        const auto taken =
            MetricsServer::start(MetricsAddress{}, std::make_shared<MeterMetrics>(), &error);
        QVERIFY2(taken, qPrintable(error));
        QProcess window;
        window.start(QStringLiteral(WINDOW_DEMO_PATH),
                     {QStringLiteral("--metrics"), QString::number(taken->port())});
        QVERIFY(window.waitForFinished(60000));
        QCOMPARE(window.exitCode(), 2);
        QVERIFY(window.readAllStandardError().contains(
            QStringLiteral("127.0.0.1:%1").arg(taken->port()).toLatin1()));
    }
};

QTEST_MAIN(WindowMetricsTest)
#include "test_window_metrics.moc"
