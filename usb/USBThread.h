#pragma once

#include "AccessDeniedLatch.h"

#include <QByteArray>
#include <QMutex>
#include <QThread>

#include <atomic>

struct hid_device_;
typedef struct hid_device_ hid_device;

// Watches the meter on its own thread: opens it, announces it, hands over every input
// report, notices its loss and retries every 500 ms. Only this thread reads its handle;
// the GUI thread may write through it with sendPayload.
class USBThread : public QThread {
    Q_OBJECT
public:
    static constexpr qint64 checkIntervalMs = 500;
    // Longest wait of one read while connected: keeps an idle link cheap and a report
    // still handed over as soon as it arrives.
    static constexpr int readWaitMs = 20;
    static constexpr quint8 defaultReportId = 0x55;
    static constexpr quint8 payloadReportByte = 0x55;

    explicit USBThread(QObject* parent = nullptr);
    // Stops and joins the loop, then releases the handle and hidapi.
    ~USBThread() override;

    void setIds(quint16 vendor, quint16 product);
    // Opens the first matching meter on the calling thread; emits usb_connect on success.
    bool openDevice();
    void stopLink();
    // Stops and waits for the loop if it runs; safe to call more than once.
    void stopAndWait();
    void pauseLink();
    void resumeLink();
    // Sends 0x55 followed by the first 63 payload bytes as one 64-byte report.
    void sendPayload(const unsigned char* data, int length);
    // Non-zero while the thread has no open handle.
    int isClosed() const { return linkState.load(); }
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
    void readConnected();
    void tryReconnect();
    void closeDevice();
    bool openAndAnnounce();

    std::atomic<bool> stopFlag{false};
    std::atomic<bool> pauseFlag{false};
    quint8 reportIdByte = defaultReportId;
    qint64 lastCheckMs = 0;
    hid_device* device = nullptr;
    std::atomic<int> linkState{Disconnected};
    quint16 vendorId = 0;
    quint16 productId = 0;
    // Used by whichever thread opens: the caller of openDevice before the loop starts,
    // then the loop.
    AccessDeniedLatch accessDenied;
    // Held by a write and by the close, so a write never uses a closed handle.
    QMutex deviceMutex;
};
