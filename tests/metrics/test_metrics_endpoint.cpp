#include "MeterMetrics.h"
#include "MetricsServer.h"
#include "Scraper.h"

#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <cmath>
#include <vector>

namespace {

// Exposition names and the channel each one shows: the contract dashboards are built on.
const std::vector<std::pair<const char*, Channel>> gaugeNames{
    {"usb_meter_bus_voltage_volts", VBUS}, {"usb_meter_bus_current_amperes", IBUS},
    {"usb_meter_power_watts", POWER},      {"usb_meter_data_plus_volts", PD},
    {"usb_meter_data_minus_volts", PM},    {"usb_meter_cc1_volts", CC1},
    {"usb_meter_cc2_volts", CC2},          {"usb_meter_temperature_celsius", CPU_TEMP},
};

// Distinct values per channel, so a channel shown under another's name is caught.
MeterMetrics::Values values(float base) {
    MeterMetrics::Values v{};
    for (std::size_t k = 0; k < v.size(); ++k)
        v[k] = base + 0.125f * float(k) + 0.001f;
    return v;
}

// The float a meter sent, read back from the scrape's decimal; NaN when the series is absent.
float asSent(const Scrape& scrape, const char* name, const QString& meter) {
    return float(scrape.value(name, meter).value_or(std::nan("")));
}

struct Served {
    std::shared_ptr<MeterMetrics> meters = std::make_shared<MeterMetrics>();
    std::unique_ptr<MetricsServer> server;
    Served() {
        QString error;
        server = MetricsServer::start(MetricsAddress{}, meters, &error);
        if (!server)
            qFatal("%s", qPrintable(error));
    }
    Scrape read() const { return scrape(server->url()); }
};

qint64 residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').at(0).toLongLong();
    return -1;
}

// Opens `count` connections at once, each sending GET /metrics; how many were answered 200.
int burstOfScrapes(quint16 port, int count) {
    std::vector<pollfd> sockets;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < count; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        sockets.push_back({fd, POLLOUT, 0});
    }
    const QByteArray request("GET /metrics HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    std::vector<QByteArray> replies(sockets.size());
    int open = count;
    QElapsedTimer clock;
    clock.start();
    while (open > 0 && clock.elapsed() < 120000) {
        ::poll(sockets.data(), sockets.size(), 1000);
        for (std::size_t i = 0; i < sockets.size(); ++i) {
            pollfd& s = sockets[i];
            if (s.fd < 0 || s.revents == 0)
                continue;
            char buffer[4096];
            ssize_t n = 0;
            if (s.events == POLLOUT) {
                n = ::send(s.fd, request.constData(), request.size(), MSG_NOSIGNAL);
                s.events = POLLIN;
            } else if ((n = ::recv(s.fd, buffer, sizeof buffer, 0)) > 0) {
                replies[i].append(buffer, int(n));
            }
            if (n <= 0) {
                ::close(s.fd);
                s.fd = -1;
                --open;
            }
        }
    }
    int answered = 0;
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        answered += replies[i].startsWith("HTTP/1.1 200") ? 1 : 0;
        if (sockets[i].fd >= 0)
            ::close(sockets[i].fd);
    }
    return answered;
}

} // namespace

class MetricsEndpointTest : public QObject {
    Q_OBJECT
private slots:
    void addressOption_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("listening"); // empty: refused
        QTest::newRow("port only is loopback") << "9100"
                                               << "127.0.0.1:9100";
        QTest::newRow("all interfaces when asked") << "0.0.0.0:9100"
                                                   << "0.0.0.0:9100";
        QTest::newRow("bracketed IPv6") << "[::1]:9200"
                                        << "[::1]:9200";
        QTest::newRow("system's choice") << "127.0.0.1:0"
                                         << "127.0.0.1:0";
        QTest::newRow("host name") << "localhost:9100"
                                   << "";
        QTest::newRow("short IPv4") << "1.2.3:9100"
                                    << "";
        QTest::newRow("unbracketed IPv6") << "::1:9100"
                                          << "";
        QTest::newRow("port too large") << "70000"
                                        << "";
        QTest::newRow("trailing junk") << "9100x"
                                       << "";
        QTest::newRow("signed port") << "+9100"
                                     << "";
        QTest::newRow("no port") << "127.0.0.1:"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
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

    // Two meters recording; one is unplugged and comes back: a scrape shows each meter's
    // values as sent, only up 0 while a meter is away, and values again after a sample.
    void scrapeFollowsMetersThroughUnplugAndReplug() {
        Served s;
        MeterMetrics& m = *s.meters;
        const QString a = QStringLiteral("A00001"), b = QStringLiteral("B00002");
        m.meterConnected(a, QStringLiteral("K82"));
        m.meterConnected(b, QStringLiteral("K82T"));
        const MeterMetrics::Values a1 = values(5.0f), a2 = values(9.0f), b1 = values(12.0f);
        m.sampleRecorded(a, a1, 1'700'000'000'250, 10'000);
        m.sampleRecorded(a, a2, 1'700'000'001'250, 12'000);
        m.sampleRecorded(b, b1, 1'700'000'000'500, 50'000);
        m.reportRejected(b);
        m.reportRejected(b);

        Scrape first = s.read();
        QVERIFY2(first.ok, qPrintable(first.error));
        for (const auto& [name, channel] : gaugeNames) {
            QCOMPARE(asSent(first, name, a), a2[channel]);
            QCOMPARE(asSent(first, name, b), b1[channel]);
        }
        QCOMPARE(first.model("usb_meter_up", b), QStringLiteral("K82T"));
        QCOMPARE(first.value("usb_meter_up", a), std::optional<double>(1));
        QCOMPARE(first.value("usb_meter_samples_total", a), std::optional<double>(2));
        QCOMPARE(first.value("usb_meter_rejected_reports_total", b), std::optional<double>(2));
        QCOMPARE(first.value("usb_meter_rejected_reports_total", a), std::optional<double>(0));
        QCOMPARE(first.value("usb_meter_last_sample_timestamp_seconds", a),
                 std::optional<double>(1'700'000'001.25));
        // Trapezoids over the 2 s between A's samples; B has one sample, so nothing yet.
        QVERIFY(qFuzzyCompare(*first.value("usb_meter_charge_coulombs_total", a),
                              (double(a1[IBUS]) + a2[IBUS]) / 2 * 2));
        QVERIFY(qFuzzyCompare(*first.value("usb_meter_energy_joules_total", a),
                              (double(a1[POWER]) + a2[POWER]) / 2 * 2));
        QCOMPARE(first.value("usb_meter_energy_joules_total", b), std::optional<double>(0));

        m.meterLost(b);
        const Scrape away = s.read();
        QCOMPARE(away.samplesOf(b), QStringList{QStringLiteral("usb_meter_up")});
        QCOMPARE(away.value("usb_meter_up", b), std::optional<double>(0));
        QCOMPARE(asSent(away, "usb_meter_bus_voltage_volts", a), a2[VBUS]);

        m.meterConnected(b, QStringLiteral("K82T"));
        const Scrape back = s.read();
        QCOMPARE(back.value("usb_meter_up", b), std::optional<double>(1));
        QVERIFY2(!back.value("usb_meter_bus_voltage_volts", b), "a value from before the unplug");

        const MeterMetrics::Values b2 = values(20.0f);
        m.sampleRecorded(b, b2, 1'700'000'009'000, 59'000);
        const Scrape again = s.read();
        for (const auto& [name, channel] : gaugeNames)
            QCOMPARE(asSent(again, name, b), b2[channel]);
        QCOMPARE(again.value("usb_meter_samples_total", b), std::optional<double>(2));
        // The 9 s away add no charge.
        QCOMPARE(again.value("usb_meter_charge_coulombs_total", b), std::optional<double>(0));
    }

    // A silent client, malformed requests and a thousand connections at once: the endpoint
    // answers through all of them, serves nothing but /metrics, and its memory levels off.
    void hostileClientsLeaveTheEndpointServing() {
        Served s;
        s.meters->meterConnected(QStringLiteral("A1"), QStringLiteral("K82"));
        const quint16 port = s.server->port();
        // More silent clients than workers: each is dropped after its request time-out.
        std::vector<int> silent;
        for (int i = 0; i < 2 * MetricsServer::workerThreads; ++i)
            silent.push_back(loopback::connectTo(port));
        const Scrape whileSilent = s.read();
        QVERIFY2(whileSilent.ok, qPrintable(whileSilent.error));
        QVERIFY(loopback::exchange(port, "GET / HTTP/1.1\r\nHost: x\r\n\r\n")
                    .startsWith("HTTP/1.1 404"));
        const QByteArray hostile[] = {
            "\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03 binary, a TLS hello",
            "GET /metrics HTTP/9.9 trailing words\r\n\r\n",
            "GET /metrics HTTP/1.1\r\nContent-Length: -5\r\n\r\n",
            "GET /metrics HTTP/1.1\r\nX-Long: " + QByteArray(200'000, 'x') + "\r\n\r\n",
            "GET /metrics",
        };
        for (const QByteArray& request : hostile) {
            loopback::exchange(port, request);
            const Scrape after = s.read();
            QVERIFY2(after.ok, qPrintable(after.error));
            QCOMPARE(after.value("usb_meter_up", QStringLiteral("A1")), std::optional<double>(1));
        }
        QCOMPARE(burstOfScrapes(port, 1000), 1000);
        const qint64 afterFirstBurst = residentKiB();
        QCOMPARE(burstOfScrapes(port, 1000), 1000);
        QCOMPARE(burstOfScrapes(port, 1000), 1000);
        QVERIFY2(
            residentKiB() - afterFirstBurst < 4096,
            qPrintable(
                QStringLiteral("grew from %1 to %2 KiB").arg(afterFirstBurst).arg(residentKiB())));
        for (int fd : silent)
            ::close(fd);
        QVERIFY(s.read().ok);
    }

    void aTakenPortIsRefusedWithTheAddressNamed() {
        Served s;
        MetricsAddress taken;
        taken.port = s.server->port();
        QString error;
        QVERIFY(!MetricsServer::start(taken, s.meters, &error));
        QVERIFY2(error.contains(QString::fromStdString(taken.listeningPort())), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(MetricsEndpointTest)
#include "test_metrics_endpoint.moc"
