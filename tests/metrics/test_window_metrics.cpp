#include "../app/MeterFixture.h"
#include "MeterMetrics.h"
#include "MetricsServer.h"
#include "Scraper.h"
#include "WindowMetrics.h"

#include <QProcess>
#include <QtTest>

namespace {

// The meter's exposition names in the decoder's channel order (the NTC is not recorded).
const char* const gaugeNames[] = {
    "usb_meter_bus_voltage_volts", "usb_meter_bus_current_amperes", "usb_meter_power_watts",
    "usb_meter_data_plus_volts",   "usb_meter_data_minus_volts",    "usb_meter_cc1_volts",
    "usb_meter_cc2_volts",         "usb_meter_temperature_celsius",
};

const QString serial = QStringLiteral("SIM0421");

bool showsValuesOf(const Scrape& s, const sim::MeterState& state) {
    for (std::size_t k = 0; k < std::size(gaugeNames); ++k)
        if (s.value(gaugeNames[k], serial) != std::optional<double>(state.channels[k]))
            return false;
    return true;
}

} // namespace

class WindowMetricsTest : public QObject {
    Q_OBJECT
private slots:
    // The window records a simulated meter; its scrape holds the values the meter sent,
    // only up 0 while it is unplugged, and the values again once it is back.
    void scrapeFollowsTheWindowsMeterThroughAnUnplug() {
        MeterFixture f;
        sim::Identity identity;
        identity.serial = serial.toStdWString();
        sim::MeterState state;
        state.channels = {5.12, 1.5, 7.68, 0.61, 0.59, 1.68, 0.02, 36.5, 25.0};
        const int meter = sim::plug(identity, state);
        auto meters = std::make_shared<MeterMetrics>();
        QString error;
        const auto server = MetricsServer::start(MetricsAddress{}, meters, &error);
        QVERIFY2(server, qPrintable(error));
        const WindowMetrics feed(*meters, f.open());
        const auto read = [&] { return scrape(server->url()); };

        QTRY_VERIFY_WITH_TIMEOUT(showsValuesOf(read(), state), MeterFixture::linkTimeoutMs);
        const Scrape live = read();
        QCOMPARE(live.value("usb_meter_up", serial), std::optional<double>(1));
        QCOMPARE(live.model("usb_meter_up", serial), QStringLiteral("K82"));
        QVERIFY(live.value("usb_meter_samples_total", serial) >= std::optional<double>(1));

        sim::unplug(meter);
        QTRY_COMPARE_WITH_TIMEOUT(read().samplesOf(serial), QStringList{"usb_meter_up"},
                                  MeterFixture::linkTimeoutMs);
        QCOMPARE(read().value("usb_meter_up", serial), std::optional<double>(0));

        state.channels[0] = 9.04;
        sim::setState(meter, state);
        sim::replug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(showsValuesOf(read(), state), MeterFixture::linkTimeoutMs);
    }

    // A taken port stops the program before its window, with the address named.
    void aTakenPortEndsTheWindowWithStatusTwo() {
        auto meters = std::make_shared<MeterMetrics>();
        QString error;
        const auto taken = MetricsServer::start(MetricsAddress{}, meters, &error);
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
