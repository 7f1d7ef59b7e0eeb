// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recorder.h"

#include "Duration.h"

#include <QDateTime>

#include <cstdio>

namespace {

constexpr qint64 msPerSec = 1000;
constexpr char timeFormat[] = "yyyy-MM-dd hh:mm:ss";

QString timeText(qint64 epochMs) {
    return QDateTime::fromMSecsSinceEpoch(epochMs).toString(QLatin1String(timeFormat));
}

QString meterText(const MeterInfo& info) {
    return info.key == info.path ? info.path : QStringLiteral("%1 (%2)").arg(info.key, info.path);
}

} // namespace

Recorder::Recorder(const LogOptions& options, const OutputPlan& plan, MeterEvents& events)
    : options(options), plan(plan), lines(options.format) {
    connect(&events, &MeterEvents::meterConnected, this, &Recorder::onConnected);
    connect(&events, &MeterEvents::meterDisconnected, this, &Recorder::onDisconnected);
    connect(&events, &MeterEvents::sampleDecoded, this, &Recorder::onSample);
    connect(&events, &MeterEvents::reportRejected, this,
            [this](const MeterInfo& info) { ++meterFor(info).rejectedReports; });
    connect(&events, &MeterEvents::accessDenied, this, [](const MeterInfo& info) {
        std::fprintf(stderr,
                     "usb-meter-log: %s: permission denied (see the udev rule in "
                     "usb-meter-log(1))\n",
                     qPrintable(info.path));
    });
    syncTimer.setInterval(timerMs(options.syncSecs));
    connect(&syncTimer, &QTimer::timeout, this, &Recorder::syncAll);
    syncTimer.start();
}

Recorder::Meter& Recorder::meterFor(const MeterInfo& info) {
    std::unique_ptr<Meter>& meter = meters[info.key];
    if (!meter)
        meter = std::make_unique<Meter>(plan, info.key, options.splitDays);
    return *meter;
}

void Recorder::onConnected(const MeterInfo& info) {
    Meter& meter = meterFor(info);
    note(
        QStringLiteral("%1 meter %2 %3, %4")
            .arg(timeText(QDateTime::currentMSecsSinceEpoch()), meterText(info),
                 meter.everConnected ? QStringLiteral("plugged in again") : QStringLiteral("found"),
                 info.product));
    meter.everConnected = true;
}

void Recorder::onDisconnected(const MeterInfo& info) {
    note(QStringLiteral("%1 meter %2 unplugged")
             .arg(timeText(QDateTime::currentMSecsSinceEpoch()), meterText(info)));
}

void Recorder::onSample(const MeterInfo& info, const LoggedSample& sample) {
    if (failed)
        return;
    Meter& meter = meterFor(info);
    if (!meter.file.write(sample.epochMs / msPerSec, recordedValues(sample))) {
        fail(meter.file.errorText());
        return;
    }
    meter.tally.add(sample);
    const QByteArray line = lines.line(info, sample, meter.tally);
    if (!line.isEmpty()) {
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fflush(stdout);
    }
}

void Recorder::syncAll() {
    for (auto& entry : meters) {
        if (!failed && !entry.second->file.sync())
            fail(entry.second->file.errorText());
    }
}

void Recorder::fail(const QString& message) {
    failed = true;
    syncTimer.stop();
    emit writeFailed(message);
}

void Recorder::finish() {
    syncTimer.stop();
    for (auto& entry : meters) {
        if (!entry.second->file.sync() && !failed)
            fail(entry.second->file.errorText());
        entry.second->file.close();
    }
    for (const auto& entry : meters)
        printSummary(entry.first, *entry.second);
}

void Recorder::note(const QString& text) const {
    if (!options.quiet)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

void Recorder::printSummary(const QString& key, const Meter& meter) const {
    const MeterTally& t = meter.tally;
    if (t.samples() == 0) {
        note(QStringLiteral("%1: no samples").arg(key));
        return;
    }
    QString text = QStringLiteral("%1: %2 samples over %3, %4 mAh, %5 Wh, first %6, last %7")
                       .arg(key)
                       .arg(t.samples())
                       .arg(formatDuration(t.lastMs() / msPerSec - t.firstMs() / msPerSec))
                       .arg(t.milliampHours(), 0, 'f', 3)
                       .arg(t.wattHours(), 0, 'f', 4)
                       .arg(timeText(t.firstMs()), timeText(t.lastMs()));
    if (meter.rejectedReports > 0)
        text += QStringLiteral(", %1 reports not understood").arg(meter.rejectedReports);
    note(text + QStringLiteral(", into %1").arg(meter.file.files().join(QStringLiteral(", "))));
}
