// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Acquisition.h"

#include <QDateTime>

// Records `seconds` samples of `reading`, one second apart from `now`, moving `now` on; the
// meter answers before each.
inline void recordSeconds(Acquisition& acquisition, QDateTime& now, const MeterReading& reading,
                          int seconds) {
    for (int i = 0; i < seconds; ++i) {
        acquisition.readingArrived();
        acquisition.recordSample(now, reading);
        now = now.addSecs(1);
    }
}
