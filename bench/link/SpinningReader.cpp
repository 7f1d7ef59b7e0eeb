// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpinningReader.h"

#include "ReportOutput.h"

#include <hidapi.h>

#include <QMetaObject>
#include <QObject>

#include <pthread.h>

#include <array>

namespace {
constexpr int nonBlocking = 1;
} // namespace

SpinningReader::~SpinningReader() {
    stop();
}

bool SpinningReader::start(QObject* context, Sink sink) {
    device = hid_open(meterVendorId, meterProductId, nullptr);
    if (!device)
        return false;
    hid_set_nonblocking(device, nonBlocking);
    stopFlag = false;
    reader = std::thread([this, context, sink = std::move(sink)] { spin(context, sink); });
    clockid_t threadClock{};
    if (pthread_getcpuclockid(reader.native_handle(), &threadClock) == 0)
        clock = threadClock;
    return true;
}

void SpinningReader::stop() {
    stopFlag = true;
    if (reader.joinable())
        reader.join();
    clock.reset();
    if (device)
        hid_close(device);
    device = nullptr;
}

void SpinningReader::spin(QObject* context, const Sink& sink) {
    std::array<unsigned char, reportSize> buffer{};
    while (!stopFlag) {
        if (hid_read(device, buffer.data(), buffer.size()) != reportSize)
            continue;
        const QByteArray report(reinterpret_cast<const char*>(buffer.data()), reportSize);
        QMetaObject::invokeMethod(
            context, [sink, report] { sink(report); }, Qt::QueuedConnection);
    }
}
