// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterTally.h"

MeterTally::MeterTally() {
    // A recorder totals what passed; it never ends a test on a low current of its own.
    CapacityMeter::Limits neverEnds;
    neverEnds.endCurrentAmps = 0;
    capacity.setLimits(neverEnds);
    capacity.start();
}

void MeterTally::add(const LoggedSample& sample) {
    if (count++ == 0)
        first = sample.epochMs;
    last = sample.epochMs;
    capacity.addReading(sample.monotonicMs, sample.channels[VBUS], sample.channels[IBUS],
                        sample.channels[POWER]);
}
