// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <chrono>
#include <vector>

// Sends numbered reports to the simulated meter and turns the arrival of each into a
// delay. Lives on one thread: reports reach it queued.
class LatencyLog {
public:
    explicit LatencyLog(int meterId) : meter(meterId) {}

    // Queues the next numbered report on the meter, noting the time just before.
    void send();
    // The delay since the numbered report was queued; reports it did not send are ignored.
    void receive(const QByteArray& report);

    int sentCount() const { return static_cast<int>(sentAt.size()); }
    const std::vector<double>& delaysMs() const { return delays; }

private:
    using Clock = std::chrono::steady_clock;

    int meter;
    std::vector<Clock::time_point> sentAt; // indexed by sequence number
    std::vector<double> delays;
};
