// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryCalls.h"

#include "SimMeter.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace sim {

namespace {
std::atomic<int> inFlight{0};
std::atomic<int> maxInFlight{0};
std::atomic<int> delayMs{0};
std::atomic<int> writeDelayMs{0};

void pause(int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
} // namespace

namespace libcalls {

Scope::Scope() {
    const int now = ++inFlight;
    int seen = maxInFlight.load();
    while (now > seen && !maxInFlight.compare_exchange_weak(seen, now)) {
    }
    pause(delayMs.load());
}

Scope::~Scope() {
    --inFlight;
}

void delayWrite() {
    pause(writeDelayMs.load());
}

void reset() {
    maxInFlight = 0;
    delayMs = 0;
    writeDelayMs = 0;
}

} // namespace libcalls

void setLibraryCallDelayMs(int ms) {
    delayMs = std::max(0, ms);
}

void setWriteDelayMs(int ms) {
    writeDelayMs = std::max(0, ms);
}

int maxOverlappingLibraryCalls() {
    return maxInFlight.load();
}

} // namespace sim
