#include "DemoSession.h"

#include "ChargingStory.h"
#include "SimMeter.h"

namespace sim {

namespace {
constexpr uint8_t demoBrightness = 60;
}

DemoSession::DemoSession(QObject* parent) : QObject(parent) {
    updateTimer.setInterval(updateIntervalMs);
    connect(&updateTimer, &QTimer::timeout, this, &DemoSession::advance);
}

void DemoSession::start() {
    QTimer::singleShot(plugDelayMs, this, &DemoSession::plugMeter);
}

void DemoSession::plugMeter() {
    const Measurement first = chargingStoryAt(0);
    MeterState state;
    state.channels = first.channels;
    state.direction = first.direction;
    // The demo meter is a reduced-settings model, whose brightness runs from 10 to 100.
    state.workBrightness = demoBrightness;
    meterId = plug(Identity(), state);
    sinceFirstPlug.start();
    updateTimer.start();
    emit meterPlugged(meterId);
}

// Only the measured values move; settings changed by the host stay as the meter holds them.
void DemoSession::advance() {
    const Measurement now = chargingStoryAt(sinceFirstPlug.elapsed());
    setChannels(meterId, now.channels, now.direction);
}

} // namespace sim
