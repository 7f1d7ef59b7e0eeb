// SPDX-License-Identifier: GPL-3.0-or-later
#include "Measurement.h"

#include "LatencyLog.h"
#include "ReportReader.h"
#include "SimMeter.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds reportInterval{1000};

std::optional<std::chrono::nanoseconds> cpuTime(std::optional<clockid_t> clock) {
    timespec time{};
    if (!clock || clock_gettime(*clock, &time) != 0)
        return std::nullopt;
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
}

} // namespace

std::optional<LinkFigures> measure(ReportReader& reader, std::chrono::seconds window) {
    sim::reset();
    LatencyLog log(sim::plug());
    // Declared after the log: its end discards reports still queued for the sink.
    QObject receiver;
    const Clock::time_point startedAt = Clock::now();
    if (!reader.start(&receiver, [&log](const QByteArray& report) { log.receive(report); })) {
        std::fprintf(stderr, "bench_link: the reader could not open the simulated meter\n");
        return std::nullopt;
    }

    // Reports go out half an interval off the window's edges, so each is received in it.
    QTimer pacer;
    pacer.setTimerType(Qt::PreciseTimer);
    pacer.setInterval(reportInterval);
    QObject::connect(&pacer, &QTimer::timeout, [&log] { log.send(); });
    QTimer::singleShot(reportInterval / 2, Qt::PreciseTimer, &pacer, [&log, &pacer] {
        log.send();
        pacer.start();
    });

    QEventLoop loop;
    std::optional<std::chrono::nanoseconds> cpu;
    Clock::time_point endedAt;
    QTimer::singleShot(window, Qt::PreciseTimer, &loop, [&] {
        cpu = cpuTime(reader.cpuClock());
        endedAt = Clock::now();
        loop.quit();
    });
    loop.exec();
    reader.stop();

    if (!cpu || log.delaysMs().empty()) {
        std::fprintf(stderr, "bench_link: the reader received no report\n");
        return std::nullopt;
    }
    LinkFigures figures;
    figures.cpuPercent = 100.0 * std::chrono::duration<double>(*cpu).count() /
                         std::chrono::duration<double>(endedAt - startedAt).count();
    figures.delaysMs = log.delaysMs();
    figures.sent = log.sentCount();
    return figures;
}
