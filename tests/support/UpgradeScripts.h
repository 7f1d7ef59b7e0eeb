// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimMeter.h"

// How the simulated meter's boot loader is to behave in one test.
inline sim::UpgradeScript upgradeScript(sim::UpgradeScript::Fault fault, int atBlock = 0,
                                        int writingMs = 0) {
    return {fault, atBlock, writingMs};
}
