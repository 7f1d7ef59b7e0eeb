// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetricsFeed.h"

#include "MeterDiscovery.h"
#include "MeterEvents.h"
#include "MeterMetrics.h"

#include <algorithm>

MetricsFeed::MetricsFeed(MeterEvents& events, MeterMetrics& metrics) {
    connect(&events, &MeterEvents::meterConnected, this, [&metrics](const MeterInfo& meter) {
        metrics.meterConnected(meter.key, splitProductString(meter.product).model);
    });
    connect(&events, &MeterEvents::meterDisconnected, this,
            [&metrics](const MeterInfo& meter) { metrics.meterLost(meter.key); });
    connect(&events, &MeterEvents::reportRejected, this,
            [&metrics](const MeterInfo& meter) { metrics.reportRejected(meter.key); });
    connect(&events, &MeterEvents::sampleDecoded, this,
            [&metrics](const MeterInfo& meter, const LoggedSample& sample) {
                MeterMetrics::Values recorded{};
                std::copy_n(sample.channels.begin(), recorded.size(), recorded.begin());
                metrics.sampleRecorded(meter.key, recorded, sample.epochMs, sample.monotonicMs);
            });
}
