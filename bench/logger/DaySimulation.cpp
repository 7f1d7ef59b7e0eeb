// SPDX-License-Identifier: GPL-3.0-or-later
#include "DaySimulation.h"

#include "MeterEvents.h"
#include "Recorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

namespace {
constexpr int daySecs = 24 * 60 * 60;
constexpr int quarters = 4;
constexpr qint64 msPerSec = 1000;
} // namespace

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

std::vector<long> simulateDay(const QString& folder, int meters) {
    int argc = 1;
    char name[] = "bench_logger";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    LogOptions options;
    options.splitDays = 1;
    options.quiet = true;
    QString error;
    const std::optional<OutputPlan> plan = OutputPlan::make(folder, true, error);
    if (!plan)
        return {};
    MeterEvents events;
    Recorder recorder(options, *plan, events);
    std::vector<MeterInfo> infos;
    for (int m = 0; m < meters; ++m) {
        const QString serial = QStringLiteral("%1").arg(123456789 + m, 10, 10, QLatin1Char('0'));
        infos.push_back(
            {serial, serial, QStringLiteral("sim-meter-%1").arg(m + 1), "USB K82 V1.0"});
        emit events.meterConnected(infos.back());
    }
    std::vector<long> rss{residentKb()};
    const qint64 startMs = QDateTime::currentMSecsSinceEpoch() / msPerSec * msPerSec;
    LoggedSample sample;
    sample.channels = {5.1f, 1.2f, 6.12f, 0.6f, 0.6f, 1.7f, 0.0f, 31.5f, 25.0f};
    for (int s = 1; s <= daySecs; ++s) {
        sample.epochMs = startMs + s * msPerSec;
        sample.monotonicMs = s * msPerSec;
        sample.channels[1] = 1.0f + float(s % 1000) / 1000.0f;
        for (const MeterInfo& info : infos)
            emit events.sampleDecoded(info, sample);
        if (s % (daySecs / quarters) == 0) {
            QCoreApplication::processEvents();
            rss.push_back(residentKb());
        }
    }
    recorder.finish();
    return rss;
}
