// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A running sum in double that carries the rounding error of every addition in a second
// double (Neumaier's scheme), so a week of readings added one by one keeps every digit a
// figure shows, and the difference of two such sums taken at different times stays exact
// to about the precision of the stretch between them.
struct CompensatedSum {
    double high = 0;
    double low = 0;

    void add(double x) {
        const double t = high + x;
        // The larger operand keeps its bits; what the smaller one lost goes to low.
        if ((high < 0 ? -high : high) >= (x < 0 ? -x : x))
            low += (high - t) + x;
        else
            low += (x - t) + high;
        high = t;
    }
    double value() const { return high + low; }
    // This sum less an earlier one of the same walk.
    double since(const CompensatedSum& earlier) const {
        return (high - earlier.high) + (low - earlier.low);
    }
};
