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
} // namespace

namespace libcalls {

Scope::Scope() {
    const int now = ++inFlight;
    int seen = maxInFlight.load();
    while (now > seen && !maxInFlight.compare_exchange_weak(seen, now)) {
    }
    if (const int delay = delayMs.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
}

Scope::~Scope() {
    --inFlight;
}

void reset() {
    maxInFlight = 0;
    delayMs = 0;
}

} // namespace libcalls

void setLibraryCallDelayMs(int ms) {
    delayMs = std::max(0, ms);
}

int maxOverlappingLibraryCalls() {
    return maxInFlight.load();
}

} // namespace sim
