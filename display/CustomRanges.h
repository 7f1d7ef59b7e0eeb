// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QString>

#include <array>

// Per recorded channel: whether its custom axis range is on, and its minimum and maximum.
// Backed by usb-hid.ini; every store writes its key at once.
class CustomRanges {
public:
    std::array<bool, recordedChannelCount> isOpen{};
    std::array<float, recordedChannelCount> rangeMin{}, rangeMax{};

    // Reads the sixteen bounds and eight switches. A bound that is not a finite number
    // reads as 0; one outside what the channel's edits accept is brought into that range.
    void load();
    void storeMin(int channel, float v);
    void storeMax(int channel, float v);
    // Flips the channel's switch, stores "1" or "0" and returns the new state.
    bool toggle(int channel);

    // Decimals of the stored and shown bounds: 1 for CPU_Temp, 2 for the others.
    static int decimals(int channel);
    // The largest bound the channel's edits accept (the smallest is 0).
    static double top(int channel);
    // The bound as stored and shown, e.g. "5.00" (CPU_Temp "5.0").
    static QString format(int channel, float v);
    // A custom range is applied only when it is switched on and not empty or inverted.
    bool applies(int channel) const;
};
