// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CapacityMeter.h"
#include "MeterEvents.h"

// What one meter gave during the run: samples, first and last time, and the charge and
// energy that passed (integrated between reports; an unplugged stretch adds nothing).
class MeterTally {
public:
    MeterTally();

    void add(const LoggedSample& sample);

    int samples() const { return count; }
    qint64 firstMs() const { return first; }
    qint64 lastMs() const { return last; }
    double milliampHours() const { return capacity.totals().milliampHours; }
    double wattHours() const { return capacity.totals().wattHours; }

private:
    CapacityMeter capacity;
    int count = 0;
    qint64 first = 0;
    qint64 last = 0;
};
