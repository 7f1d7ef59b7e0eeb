// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives simulated meters through a phone-charging session for the demo executables:
// the first meter is plugged in a second after start(), each further one a few seconds
// later with a serial of its own, and the readings follow the charging story (each meter
// some minutes further into it), updated every 200 ms on the thread that owns this object.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <vector>

namespace sim {

class DemoSession : public QObject {
    Q_OBJECT
public:
    explicit DemoSession(int meters = 1, QObject* parent = nullptr);

    // Call once; the meter appears after plugDelayMs.
    void start();

signals:
    void meterPlugged(int id);

private:
    void plugMeter();
    void advance();

    static constexpr int plugDelayMs = 1000;
    static constexpr int plugIntervalMs = 3000;
    static constexpr int updateIntervalMs = 200;
    static constexpr int storyOffsetMs = 7 * 60 * 1000;

    const int meterCount;
    QTimer updateTimer;
    QElapsedTimer sinceFirstPlug;
    std::vector<int> meterIds;
};

} // namespace sim
