// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoSession.h"

#include "ChargingStory.h"
#include "SimMeter.h"

namespace sim {

namespace {
constexpr uint8_t demoBrightness = 60;
}

DemoSession::DemoSession(int meters, QObject* parent) : QObject(parent), meterCount(meters) {
    updateTimer.setInterval(updateIntervalMs);
    connect(&updateTimer, &QTimer::timeout, this, &DemoSession::advance);
}

void DemoSession::start() {
    for (int i = 0; i < meterCount; ++i)
        QTimer::singleShot(plugDelayMs + i * plugIntervalMs, this, &DemoSession::plugMeter);
}

void DemoSession::plugMeter() {
    const int index = static_cast<int>(meterIds.size());
    const Measurement first = chargingStoryAt(index * storyOffsetMs);
    MeterState state;
    state.channels = first.channels;
    state.direction = first.direction;
    // The demo meter is a reduced-settings model, whose brightness runs from 10 to 100.
    state.workBrightness = demoBrightness;
    meterIds.push_back(plug(rackIdentity(index), state));
    if (index == 0) {
        sinceFirstPlug.start();
        updateTimer.start();
    }
    emit meterPlugged(meterIds.back());
}

// Only the measured values move; settings changed by the host stay as the meter holds them.
void DemoSession::advance() {
    for (size_t i = 0; i < meterIds.size(); ++i) {
        const Measurement now =
            chargingStoryAt(sinceFirstPlug.elapsed() + static_cast<int64_t>(i) * storyOffsetMs);
        setChannels(meterIds[i], now.channels, now.direction);
    }
}

} // namespace sim
