// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CapacityMeter.h"
#include "MeterReading.h"

#include <prometheus/collectable.h>

#include <QString>

#include <array>
#include <map>
#include <mutex>
#include <string>

// What a scrape shows of every meter seen since start: one series per meter, labelled
// with its serial and model, in base units. Fed by whatever records (the window, the
// recorder without a window) from its own threads; each scrape reads one consistent
// snapshot. A meter that is not connected shows only usb_meter_up 0: its last reading is
// never shown as if it were current, and values come back with the first sample after a
// replug. Charge and energy count from start across unplugs (nothing is added for the
// time a meter was away).
class MeterMetrics : public prometheus::Collectable {
public:
    using Values = std::array<float, recordedChannelCount>;

    // A meter was opened. `serial` identifies it (its USB serial, or its path when it has
    // none); `model` is the model word of its product string.
    void meterConnected(const QString& serial, const QString& model);
    // One recorded sample: channel values in decoder order, wall-clock time of the sample
    // in ms since the epoch, and a monotonic time in ms to integrate charge and energy on.
    void sampleRecorded(const QString& serial, const Values& values, qint64 epochMs,
                        qint64 monotonicMs);
    // The meter sent a report that does not decode; nothing of it was recorded.
    void reportRejected(const QString& serial);
    void meterLost(const QString& serial);

    std::vector<prometheus::MetricFamily> Collect() const override;

private:
    struct Meter {
        std::string model;
        bool up = false;
        bool haveSample = false;
        Values values{};
        double lastSampleSecs = 0;
        double samples = 0;
        double rejected = 0;
        CapacityMeter capacity;
    };
    Meter& meterFor(const QString& serial);

    mutable std::mutex mutex;
    // Ordered by serial, so scrapes list meters in a stable order.
    std::map<std::string, Meter> meters;
};
