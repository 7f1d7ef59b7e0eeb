// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterWatch.h"

#include "MeterIdentity.h"
#include "MeterLink.h"

#include <QCoreApplication>
#include <QHash>

#include <cstdio>

namespace {
constexpr int scanIntervalMs = 1000;
}

MeterWatch::MeterWatch(const LogOptions& options, MeterEvents& events, int pollIntervalMs)
    : options(options), events(events), pollIntervalMs(pollIntervalMs) {
    scanTimer.setInterval(scanIntervalMs);
    connect(&scanTimer, &QTimer::timeout, this, &MeterWatch::scan);
}

MeterWatch::~MeterWatch() = default;

void MeterWatch::start() {
    scan();
    scanTimer.start();
}

void MeterWatch::scan() {
    const std::vector<MeterListing> listed =
        listMeters(MeterIdentity::vendorId, MeterIdentity::productId);
    const std::vector<MeterInfo> meters = identify(listed);
    // The window takes the last listed meter; so does the recorder, once.
    if (!options.all && options.meter.isEmpty() && chosenKey.isEmpty() && !meters.empty())
        chosenKey = meters.back().key;
    for (const MeterInfo& meter : meters) {
        if (wanted(meter))
            attach(meter);
    }
}

std::vector<MeterInfo> MeterWatch::identify(const std::vector<MeterListing>& listed) {
    QHash<QString, QStringList> pathsOfSerial;
    for (const MeterListing& m : listed)
        pathsOfSerial[m.serial] << QString::fromStdString(m.path);
    // A meter keeps the key it was given while its link holds it, even when the meter
    // that shared its serial has gone.
    QHash<QString, QString> heldKeys;
    for (const auto& entry : links)
        heldKeys.insert(entry.second->meter().path, entry.first);
    std::vector<MeterInfo> meters;
    for (const MeterListing& m : listed) {
        const QString path = QString::fromStdString(m.path);
        const QStringList& sharing = pathsOfSerial[m.serial];
        const bool serialNamesIt = !m.serial.isEmpty() && sharing.size() == 1;
        if (!m.serial.isEmpty() && !serialNamesIt)
            sayOnce(
                QStringLiteral("meters at %1 share the serial %2: each is told apart by its path")
                    .arg(sharing.join(QStringLiteral(", ")), m.serial));
        const QString key = heldKeys.value(path, serialNamesIt ? m.serial : path);
        meters.push_back({key, m.serial, path, m.product});
    }
    return meters;
}

bool MeterWatch::wanted(const MeterInfo& meter) const {
    if (options.all)
        return true;
    if (!options.meter.isEmpty())
        return meter.serial == options.meter || meter.path == options.meter;
    return meter.key == chosenKey;
}

// A link that holds its meter stays; one still trying a path the meter left is replaced.
void MeterWatch::attach(const MeterInfo& meter) {
    auto it = links.find(meter.key);
    if (it != links.end() && (it->second->isConnected() || it->second->meter().path == meter.path))
        return;
    auto link = std::make_unique<MeterLink>(meter, events, pollIntervalMs);
    // Dropped once its own signal has returned: the link is still inside that slot.
    connect(link.get(), &MeterLink::lost, this, [this, key = meter.key] {
        const auto lost = links.find(key);
        if (lost != links.end()) {
            lost->second.release()->deleteLater();
            links.erase(lost);
        }
    });
    MeterLink* started = link.get();
    links[meter.key] = std::move(link);
    started->start();
}

void MeterWatch::sayOnce(const QString& note) {
    if (notes.contains(note))
        return;
    notes.insert(note);
    if (!options.quiet)
        std::fprintf(stderr, "usb-meter-log: %s\n", qPrintable(note));
}

void MeterWatch::stopPolling() {
    scanTimer.stop();
    for (auto& entry : links)
        entry.second->stopPolling();
}

bool MeterWatch::awaitsAnswers() const {
    for (const auto& entry : links)
        if (entry.second->awaitsAnswer())
            return true;
    return false;
}

void MeterWatch::shutDown() {
    scanTimer.stop();
    for (auto& entry : links) {
        disconnect(entry.second.get(), &MeterLink::lost, this, nullptr);
        entry.second->shutDown();
    }
    links.clear();
    // Links dropped after an unplug, still waiting for their deferred deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
