// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One simulated meter on the bus. Guarded by the bus mutex.

#include "MeterModel.h"
#include "SimMeter.h"

#include <hidapi.h>

#include <vector>

namespace sim {

struct Device {
    Device(const Identity& identity, const MeterState& state) : identity(identity), model(state) {}

    const Identity identity;
    MeterModel model;
    bool plugged = true;
    bool refusesOpens = false;
    std::vector<Report> written;
    // Handles not yet closed, dead ones included (a closed device file is what frees them).
    std::vector<hid_device*> handles;
    // Negative: any number of handles may be open.
    int maxHandles = -1;
    int deadHandleWrites = 0;
    bool keepsReportsRead = false;
    std::vector<Report> reportsRead;
};

} // namespace sim
