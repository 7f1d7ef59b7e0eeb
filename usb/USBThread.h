// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessDeniedLatch.h"

#include <QByteArray>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

struct hid_device_;
typedef struct hid_device_ hid_device;

// Watches the meter on its own thread: opens it, announces it, hands over every input
// report, notices its loss and retries every 500 ms. Only this thread reads its handle;
// the GUI thread may write through it with sendPayload.
class USBThread : public QThread {
    Q_OBJECT
public:
    // Probes and reconnects are paced by a clock that never steps: a wall clock set back
    // would stop them for the size of the step.
    using Clock = std::chrono::steady_clock;
    static_assert(Clock::is_steady, "the link must be paced by a monotonic clock");
    static constexpr std::chrono::milliseconds checkInterval{500};
    // Longest wait of one read while connected: keeps an idle link cheap and a report
    // still handed over as soon as it arrives.
    static constexpr int readWaitMs = 20;
    static constexpr quint8 defaultReportId = 0x55;
    static constexpr quint8 payloadReportByte = 0x55;

    explicit USBThread(QObject* parent = nullptr);
    // A link bound to the one meter listed at `meterPath`, as the recorder without a
    // window holds one link per meter. It reads no settings file: the recorder keeps
    // nothing in the folder it runs in.
    USBThread(std::string meterPath, QObject* parent);
    // Stops and joins the loop, then releases the handle and hidapi.
    ~USBThread() override;

    void setIds(quint16 vendor, quint16 product);
    // Opens the last listed meter on the calling thread; emits usb_connect on success.
    bool openDevice();
    // Enumeration path of the meter the thread holds, empty while it holds none: the
    // dialog opens its own handle by this path, so both watch the same meter.
    QByteArray meterPath() const;
    void stopLink();
    // Stops and waits for the loop if it runs; safe to call more than once.
    void stopAndWait();
    void pauseLink();
    void resumeLink();
    // Sends 0x55 followed by the first 63 payload bytes as one 64-byte report.
    void sendPayload(const unsigned char* data, int length);
    // Sends a command frame (it carries its own 0x55) as the start of a zero-filled
    // report; nothing while the link holds no meter.
    void sendFrame(const QByteArray& frame);
    // Non-zero while the thread has no open handle.
    int isClosed() const { return linkState.load(); }
    // Times the loop has gone round, and whether a pause holds it: a test proves that the
    // loop did not do something by seeing it go round, or held, instead of waiting a while.
    int rounds() const { return roundCount.load(); }
    bool held() const { return heldByPause.load(); }
    quint8 reportId() const { return reportIdByte; }

signals:
    // A full 64-byte input report, as a copy that belongs to the receiver.
    void new_data(QByteArray report);
    void usb_connect(QString dev_str);
    void usb_disconnect();
    void usb_send_error();
    // The meter is listed but its device node refuses us; once per plug-in.
    void usb_access_denied();

protected:
    void run() override;

private:
    enum LinkState : int { Connected = 0, Disconnected = 1 };

    bool checkIsDue();
    // Sleeps until `deadline`, or less when a stop or pause is requested.
    void sleepUntil(Clock::time_point deadline);
    void waitWhilePaused();
    void setFlag(std::atomic<bool>& flag, bool value);
    void readConnected();
    void tryReconnect();
    void closeDevice();
    std::optional<std::string> pathToOpen() const;
    bool openAndAnnounce();

    std::atomic<bool> stopFlag{false};
    std::atomic<bool> pauseFlag{false};
    quint8 reportIdByte = defaultReportId;
    Clock::time_point nextCheck;
    hid_device* device = nullptr;
    std::string devicePath;
    // Empty: the last listed meter, whichever it is.
    const std::string boundPath;
    std::atomic<int> linkState{Disconnected};
    std::atomic<int> roundCount{0};
    std::atomic<bool> heldByPause{false};
    quint16 vendorId = 0;
    quint16 productId = 0;
    // Used by whichever thread opens: the caller of openDevice before the loop starts,
    // then the loop.
    AccessDeniedLatch accessDenied;
    // Held by a write and by the close, so a write never uses a closed handle.
    mutable QMutex deviceMutex;
    // Wakes the loop's sleeps when a flag changes.
    std::mutex wakeMutex;
    std::condition_variable wake;
};
