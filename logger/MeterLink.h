// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterEvents.h"

#include <QObject>
#include <QTimer>

#include <memory>

class USBThread;

// One recorded meter while it is plugged in: its own link thread on its own path, the
// poll frame once a period, and the decoding of its reports. Reports reach `events`;
// lost() says the meter is gone and this link may be dropped.
class MeterLink : public QObject {
    Q_OBJECT
public:
    MeterLink(const MeterInfo& meter, MeterEvents& events, int pollIntervalMs);
    ~MeterLink() override;

    void start();
    const MeterInfo& meter() const { return info; }
    bool isConnected() const { return connected; }
    // Stops asking; a poll already sent may still be answered.
    void stopPolling();
    bool awaitsAnswer() const { return connected && pollsUnanswered > 0; }
    // Joins the link thread and takes the reports it had read but not yet handed over.
    void shutDown();

signals:
    void lost();

private:
    void onConnect();
    void onDisconnect();
    void onReport(const QByteArray& report);
    void poll();

    MeterInfo info;
    MeterEvents& events;
    std::unique_ptr<USBThread> link;
    QTimer pollTimer;
    MeterReading reading;
    bool settingsPending = false;
    bool connected = false;
    int pollsUnanswered = 0;
};
