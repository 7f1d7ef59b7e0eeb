// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>

// The smallest and largest value of a stretch of samples. Values that are not finite
// (NaN, infinities) are no measurement and are left out; a span without any is empty.
struct ValueSpan {
    float min = std::numeric_limits<float>::infinity();
    float max = -std::numeric_limits<float>::infinity();

    bool isEmpty() const { return !(min <= max); }
    void add(float v) {
        if (!(v - v == 0.0f)) // NaN or infinite
            return;
        if (v < min)
            min = v;
        if (v > max)
            max = v;
    }
    void add(const ValueSpan& other) {
        if (other.min < min)
            min = other.min;
        if (other.max > max)
            max = other.max;
    }
};
