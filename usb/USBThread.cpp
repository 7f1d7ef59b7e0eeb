// SPDX-License-Identifier: GPL-3.0-or-later
#include "USBThread.h"

#include "CrashStack.h"
#include "HidLibrary.h"
#include "MeterDiscovery.h"
#include "ReportOutput.h"
#include "Setting.h"
#include "SettingKeys.h"
#include "ThreadHandoff.h"

#include <hidapi.h>

#include <QMutexLocker>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace {

quint8 loadReportId() {
    Setting setting;
    const QString text = setting.readValue(QString::fromLatin1(SettingKey::reportId));
    if (text.isEmpty()) {
        setting.writeValue(QString::fromLatin1(SettingKey::reportId),
                           QString::fromLatin1(SettingValue::defaultReportId));
        return USBThread::defaultReportId;
    }
    return static_cast<quint8>(text.toInt());
}

} // namespace

USBThread::USBThread(QObject* parent) : QThread(parent) {
    reportIdByte = loadReportId();
    HidLibrary::init();
    nextCheck = Clock::now() + checkInterval;
}

USBThread::USBThread(std::string meterPath, QObject* parent)
    : QThread(parent), boundPath(std::move(meterPath)) {
    HidLibrary::init();
    nextCheck = Clock::now() + checkInterval;
}

USBThread::~USBThread() {
    stopAndWait();
    closeDevice();
    HidLibrary::exit();
}

void USBThread::setIds(quint16 vendor, quint16 product) {
    vendorId = vendor;
    productId = product;
}

bool USBThread::openDevice() {
    if (linkState == Connected)
        return true;
    return openAndAnnounce();
}

QByteArray USBThread::meterPath() const {
    QMutexLocker lock(&deviceMutex);
    return QByteArray::fromStdString(devicePath);
}

void USBThread::stopLink() {
    setFlag(stopFlag, true);
}

void USBThread::stopAndWait() {
    if (isRunning()) {
        stopLink();
        wait();
    }
    ThreadHandoff::acquire(this);
}

// The loop closes the handle itself when it sees the flag: only the loop's thread may
// close a handle it could be blocked reading.
void USBThread::pauseLink() {
    setFlag(pauseFlag, true);
}

void USBThread::resumeLink() {
    setFlag(pauseFlag, false);
}

// Set under the wake lock, so a loop about to sleep cannot miss the change.
void USBThread::setFlag(std::atomic<bool>& flag, bool value) {
    {
        std::lock_guard<std::mutex> lock(wakeMutex);
        flag = value;
    }
    wake.notify_all();
}

void USBThread::sendPayload(const unsigned char* data, int length) {
    std::array<unsigned char, reportSize + 1> buffer{};
    buffer[0] = payloadReportByte;
    const int count = std::clamp(length, 0, reportSize);
    if (data && count > 0)
        std::memcpy(buffer.data() + 1, data, static_cast<size_t>(count));
    bool failed = false;
    {
        QMutexLocker lock(&deviceMutex);
        if (linkState != Connected || !device)
            return;
        failed = hid_write(device, buffer.data(), reportSize) < reportSize;
    }
    // Outside the lock: a receiver may write again or stop the link.
    if (failed)
        emit usb_send_error();
}

void USBThread::sendFrame(const QByteArray& frame) {
    QMutexLocker lock(&deviceMutex);
    if (linkState == Connected)
        sendReport(device, frame);
}

void USBThread::run() {
    const ThreadCrashStack crashStack;
    while (!stopFlag) {
        if (pauseFlag) {
            if (linkState == Connected) {
                closeDevice();
                emit usb_disconnect();
            }
            waitWhilePaused();
            continue;
        }
        if (linkState == Connected)
            readConnected();
        else
            tryReconnect();
        // Nothing to do before the next try: one wake-up per try, not a spin.
        if (linkState == Disconnected)
            sleepUntil(nextCheck);
        ++roundCount;
    }
    ThreadHandoff::release(this);
}

bool USBThread::checkIsDue() {
    const Clock::time_point now = Clock::now();
    if (now < nextCheck)
        return false;
    nextCheck = now + checkInterval;
    return true;
}

void USBThread::sleepUntil(Clock::time_point deadline) {
    std::unique_lock<std::mutex> lock(wakeMutex);
    wake.wait_until(lock, deadline, [this] { return stopFlag || pauseFlag; });
}

void USBThread::waitWhilePaused() {
    std::unique_lock<std::mutex> lock(wakeMutex);
    heldByPause = true;
    wake.wait(lock, [this] { return stopFlag || !pauseFlag; });
    heldByPause = false;
}

void USBThread::readConnected() {
    std::array<unsigned char, reportSize> report{};
    int n = hid_read_timeout(device, report.data(), report.size(), readWaitMs);
    if (n == reportSize) {
        emit new_data(QByteArray(reinterpret_cast<const char*>(report.data()), reportSize));
        return;
    }
    if (!checkIsDue()) {
        // A failing handle returns at once: wait for the probe instead of spinning.
        if (n < 0)
            sleepUntil(nextCheck);
        return;
    }
    n = hid_read_timeout(device, report.data(), report.size(), 0);
    if (n == reportSize) {
        emit new_data(QByteArray(reinterpret_cast<const char*>(report.data()), reportSize));
    } else if (n < 0) {
        closeDevice();
        emit usb_disconnect();
    }
}

void USBThread::tryReconnect() {
    if (checkIsDue())
        openAndAnnounce();
}

// With several meters plugged, the last listed is taken, as the device list shows it.
// A bound link opens its own path only while a meter is listed there: a node freed by an
// unplug may come back as another device.
std::optional<std::string> USBThread::pathToOpen() const {
    if (boundPath.empty())
        return findLastMeterPath(vendorId, productId);
    for (const MeterListing& meter : listMeters(vendorId, productId))
        if (meter.path == boundPath)
            return boundPath;
    return std::nullopt;
}

// A meter that is listed but whose node refuses the open leaves errno at EACCES; one that
// is not listed (unplugged) arms the refusal hint again for the next plug-in.
bool USBThread::openAndAnnounce() {
    const std::optional<std::string> path = pathToOpen();
    if (!path) {
        accessDenied.isNewRefusal(false, ENODEV);
        return false;
    }
    errno = 0;
    hid_device* opened = HidLibrary::openPath(path->c_str());
    if (accessDenied.isNewRefusal(opened != nullptr, errno))
        emit usb_access_denied();
    if (!opened)
        return false;
    {
        QMutexLocker lock(&deviceMutex);
        device = opened;
        devicePath = *path;
        linkState = Connected;
    }
    emit usb_connect(readProductString(opened));
    return true;
}

void USBThread::closeDevice() {
    QMutexLocker lock(&deviceMutex);
    linkState = Disconnected;
    devicePath.clear();
    if (device) {
        hid_close(device);
        device = nullptr;
    }
}
