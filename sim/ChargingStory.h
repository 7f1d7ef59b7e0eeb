// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a meter between a fast charger and a phone reads over time: idle at 5 V, a
// fast-charge negotiation to 9 V after 10 s, current up to about 2 A, then a slow taper.

#include <array>
#include <cstdint>

namespace sim {

struct Measurement {
    // VBUS, IBUS, POWER, D+, D-, CC1, CC2, CPU temperature, NTC temperature.
    std::array<double, 9> channels;
    uint8_t direction; // 1 while the phone draws charging current, else 0
};

// The reading `elapsedMs` after the phone was plugged in. Deterministic: the small noise
// depends only on the 200 ms step the time falls in.
Measurement chargingStoryAt(int64_t elapsedMs);

} // namespace sim
