// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SampleStore.h"

// Sample r of a test run: channel k holds r + k / 8, distinct in every record and channel.
inline SampleStore::Values journalSample(int r) {
    SampleStore::Values values{};
    for (int k = 0; k < recordedChannelCount; ++k)
        values[k] = float(r) + float(k) / 8.0f;
    return values;
}
