// SPDX-License-Identifier: GPL-3.0-or-later
// usb-meter-log-demo recording two simulated meters with --metrics on 127.0.0.1: its CPU
// with no scrapes, with one scrape a second (a fast Prometheus) and with 200 a second,
// and the latency of those scrapes (connect to the end of the reply).
//   bench_metrics [SECONDS per phase, default 20]
#include "BenchSize.h"
#include "Percentile.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int defaultSeconds = 20;
constexpr int meterCount = 2;

// CPU seconds (user and system) the process has used so far.
double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// One GET /metrics on the loopback address; its duration in ms, or a negative number.
double scrapeMs(quint16 port) {
    QElapsedTimer clock;
    clock.start();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    const char request[] = "GET /metrics HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    ok = ok && ::send(fd, request, sizeof request - 1, MSG_NOSIGNAL) == ssize_t(sizeof request - 1);
    char buffer[16384];
    QByteArray reply;
    for (ssize_t n; ok && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        reply.append(buffer, int(n));
    ::close(fd);
    ok = ok && reply.startsWith("HTTP/1.1 200") && reply.contains("usb_meter_up");
    return ok ? double(clock.nsecsElapsed()) / 1e6 : -1;
}

struct Phase {
    double cpuPercent = 0;
    std::vector<double> latencies;
    int failed = 0;
};

// `rate` scrapes a second, paced from the phase's start, for `seconds`.
Phase runPhase(qint64 pid, quint16 port, int seconds, int rate) {
    Phase phase;
    const double cpuBefore = cpuSeconds(pid);
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    for (long n = 0; rate > 0; ++n) {
        const auto due = start + std::chrono::microseconds(1'000'000L * n / rate);
        if (due >= end)
            break;
        std::this_thread::sleep_until(due);
        const double ms = scrapeMs(port);
        if (ms < 0)
            ++phase.failed;
        else
            phase.latencies.push_back(ms);
    }
    std::this_thread::sleep_until(end);
    phase.cpuPercent = 100.0 * (cpuSeconds(pid) - cpuBefore) / seconds;
    return phase;
}

void print(const char* name, const Phase& phase) {
    std::printf("  %-22s recorder CPU %5.2f %% of a core", name, phase.cpuPercent);
    if (!phase.latencies.empty())
        std::printf(", %zu scrapes: median %.2f ms, p99 %.2f ms, %d failed", phase.latencies.size(),
                    percentile(phase.latencies, 0.5), percentile(phase.latencies, 0.99),
                    phase.failed);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : benchSize(defaultSeconds, 1);
    QTemporaryDir folder;
    QProcess logger;
    logger.setReadChannel(QProcess::StandardError);
    logger.start(QStringLiteral(LOGGER_DEMO_PATH),
                 {QStringLiteral("--all"), QStringLiteral("-o"), folder.path(),
                  QStringLiteral("--metrics"), QStringLiteral("127.0.0.1:0")});
    quint16 port = 0;
    QElapsedTimer waited;
    waited.start();
    int metersFound = 0;
    // The demo plugs its second meter a few seconds after the first.
    while (metersFound < meterCount && waited.elapsed() < 60000) {
        logger.waitForReadyRead(1000);
        while (logger.canReadLine()) {
            const QByteArray line = logger.readLine();
            if (line.startsWith("metrics at http://127.0.0.1:"))
                port = quint16(line.mid(28).split('/').first().toUInt());
            metersFound += line.contains(" found, ") ? 1 : 0;
        }
    }
    if (port == 0 || metersFound < meterCount) {
        std::fprintf(stderr, "bench_metrics: the recorder did not start serving two meters\n");
        logger.kill();
        logger.waitForFinished();
        return 1;
    }
    std::printf("usb-meter-log --metrics, %d simulated meters, %d s per phase\n", meterCount,
                seconds);
    print("no scrapes", runPhase(logger.processId(), port, seconds, 0));
    print("1 scrape a second", runPhase(logger.processId(), port, seconds, 1));
    print("200 scrapes a second", runPhase(logger.processId(), port, seconds, 200));
    logger.terminate();
    logger.waitForFinished(10000);
    return 0;
}
