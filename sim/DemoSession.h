#pragma once

// Drives one simulated meter through a phone-charging session for the demo executable:
// the meter is plugged in a second after start() and its readings follow the charging
// story on simulated time, updated every 200 ms on the thread that owns this object.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace sim {

class DemoSession : public QObject {
    Q_OBJECT
public:
    explicit DemoSession(QObject* parent = nullptr);

    // Call once; the meter appears after plugDelayMs.
    void start();

signals:
    void meterPlugged(int id);

private:
    void plugMeter();
    void advance();

    static constexpr int plugDelayMs = 1000;
    static constexpr int updateIntervalMs = 200;

    QTimer updateTimer;
    QElapsedTimer sinceFirstPlug;
    int meterId = -1;
};

} // namespace sim
