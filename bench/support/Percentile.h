// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

// The p-quantile (p in [0, 1]) of a non-empty sample, interpolating linearly between the
// two nearest ranks: p = 0.5 of an even count is the mean of the middle two values.
inline double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const double rank = p * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const auto above = static_cast<std::size_t>(std::ceil(rank));
    return values[below] + (values[above] - values[below]) * (rank - std::floor(rank));
}
