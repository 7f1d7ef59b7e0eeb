// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkThreadReader.h"

#include "USBThread.h"

#include <pthread.h>

LinkThreadReader::LinkThreadReader() = default;

LinkThreadReader::~LinkThreadReader() {
    stop();
}

bool LinkThreadReader::start(QObject* context, Sink sink) {
    link = std::make_unique<USBThread>();
    link->setIds(meterVendorId, meterProductId);
    if (!link->openDevice())
        return false;
    // Direct: runs on the link thread, the only place its CPU clock can be asked for.
    QObject::connect(
        link.get(), &USBThread::new_data, context,
        [this] {
            if (clockKnown.load(std::memory_order_acquire))
                return;
            pthread_getcpuclockid(pthread_self(), &clock);
            clockKnown.store(true, std::memory_order_release);
        },
        Qt::DirectConnection);
    QObject::connect(link.get(), &USBThread::new_data, context, std::move(sink),
                     Qt::QueuedConnection);
    link->start();
    return true;
}

std::optional<clockid_t> LinkThreadReader::cpuClock() const {
    if (!clockKnown.load(std::memory_order_acquire))
        return std::nullopt;
    return clock;
}

void LinkThreadReader::stop() {
    link.reset();
    clockKnown = false;
}
