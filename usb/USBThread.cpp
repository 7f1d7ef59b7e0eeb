#include "USBThread.h"

#include "CrashStack.h"
#include "HidLibrary.h"
#include "MeterDiscovery.h"
#include "ReportOutput.h"
#include "Setting.h"
#include "SettingKeys.h"

#include <hidapi.h>

#include <QDateTime>
#include <QMutexLocker>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace {

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

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
    lastCheckMs = nowMs();
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

void USBThread::stopLink() {
    stopFlag = true;
}

void USBThread::stopAndWait() {
    if (!isRunning())
        return;
    stopLink();
    wait();
}

// The loop closes the handle itself when it sees the flag: only the loop's thread may
// close a handle it could be blocked reading.
void USBThread::pauseLink() {
    pauseFlag = true;
}

void USBThread::resumeLink() {
    pauseFlag = false;
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

void USBThread::run() {
    const ThreadCrashStack crashStack;
    while (!stopFlag) {
        if (pauseFlag) {
            if (linkState == Connected) {
                closeDevice();
                emit usb_disconnect();
            }
            msleep(1);
            continue;
        }
        if (linkState == Connected)
            readConnected();
        else
            tryReconnect();
        if (linkState == Disconnected)
            msleep(1);
    }
}

// Wall-clock pacing of probes and reconnects; a clock set back waits until it is again
// 500 ms past the last check.
bool USBThread::checkIsDue() {
    const qint64 now = nowMs();
    if (now - lastCheckMs < checkIntervalMs)
        return false;
    lastCheckMs = now;
    return true;
}

void USBThread::readConnected() {
    std::array<unsigned char, reportSize> report{};
    int n = hid_read_timeout(device, report.data(), report.size(), readWaitMs);
    if (n == reportSize) {
        emit new_data(QByteArray(reinterpret_cast<const char*>(report.data()), reportSize));
        return;
    }
    if (!checkIsDue()) {
        // A failing handle returns at once; wait as a read would instead of spinning.
        if (n < 0)
            msleep(readWaitMs);
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

// hidraw's hid_open lists the meter and then opens its node; a refusal of that open is
// the one failure that leaves errno at EACCES (an absent meter leaves ENODATA or nothing).
bool USBThread::openAndAnnounce() {
    errno = 0;
    hid_device* opened = HidLibrary::open(vendorId, productId, nullptr);
    if (accessDenied.isNewRefusal(opened != nullptr, errno))
        emit usb_access_denied();
    if (!opened)
        return false;
    {
        QMutexLocker lock(&deviceMutex);
        device = opened;
        linkState = Connected;
    }
    emit usb_connect(readProductString(opened));
    return true;
}

void USBThread::closeDevice() {
    QMutexLocker lock(&deviceMutex);
    linkState = Disconnected;
    if (device) {
        hid_close(device);
        device = nullptr;
    }
}
