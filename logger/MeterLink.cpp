// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterLink.h"

#include "CommandFrame.h"
#include "MeterIdentity.h"
#include "USBThread.h"

#include <QCoreApplication>
#include <QDateTime>

#include <chrono>

MeterLink::MeterLink(const MeterInfo& meter, MeterEvents& events, int pollIntervalMs)
    : info(meter), events(events),
      link(std::make_unique<USBThread>(meter.path.toStdString(), nullptr)) {
    link->setIds(MeterIdentity::vendorId, MeterIdentity::productId);
    pollTimer.setInterval(pollIntervalMs);
    connect(&pollTimer, &QTimer::timeout, this, &MeterLink::poll);
    connect(link.get(), &USBThread::usb_connect, this, &MeterLink::onConnect);
    connect(link.get(), &USBThread::usb_disconnect, this, &MeterLink::onDisconnect);
    connect(link.get(), &USBThread::new_data, this, &MeterLink::onReport);
    connect(link.get(), &USBThread::usb_access_denied, this,
            [this] { emit this->events.accessDenied(info); });
}

MeterLink::~MeterLink() {
    link->stopAndWait();
}

void MeterLink::start() {
    // Announced on this thread when it opens at once, from the loop otherwise.
    link->openDevice();
    link->start();
}

void MeterLink::stopPolling() {
    pollTimer.stop();
}

void MeterLink::shutDown() {
    pollTimer.stop();
    link->stopAndWait();
    QCoreApplication::sendPostedEvents(this);
}

void MeterLink::onConnect() {
    connected = true;
    pollsUnanswered = 0;
    emit events.meterConnected(info);
    poll();
    pollTimer.start();
}

void MeterLink::onDisconnect() {
    pollTimer.stop();
    connected = false;
    emit events.meterDisconnected(info);
    emit lost();
}

void MeterLink::poll() {
    link->sendFrame(pollFrame());
    ++pollsUnanswered;
}

void MeterLink::onReport(const QByteArray& report) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(report.constData());
    if (isMeasurementReport(bytes, report.size())) {
        decodeReportInto(reading, settingsPending, bytes, report.size());
        pollsUnanswered = 0;
        LoggedSample sample;
        sample.epochMs = QDateTime::currentMSecsSinceEpoch();
        // One clock for every link of the process: a meter plugged in again keeps counting on.
        sample.monotonicMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
        for (int k = 0; k < decodedChannelCount; ++k)
            sample.channels[size_t(k)] = reading.channel(k);
        emit events.sampleDecoded(info, sample);
        return;
    }
    if (!isSettingsReport(bytes, report.size()))
        emit events.reportRejected(info);
}
