// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleStore.h"

#include <algorithm>
#include <limits>

bool SampleStore::append(qint64 epochSecs, const Values& values) {
    if (offsets.empty())
        baseSecs = epochSecs;
    const qint64 offset = epochSecs - baseSecs;
    if (offset < std::numeric_limits<qint32>::min() || offset > std::numeric_limits<qint32>::max())
        return false;
    offsets.push_back(static_cast<qint32>(offset));
    for (size_t k = 0; k < columns.size(); ++k)
        columns[k].push_back(values[k]);
    return true;
}

void SampleStore::clear() {
    offsets.clear();
    for (std::vector<float>& column : columns)
        column.clear();
}

void SampleStore::reserve(int records) {
    const auto n = static_cast<size_t>(std::max(records, 0));
    offsets.reserve(n);
    for (std::vector<float>& column : columns)
        column.reserve(n);
}

SampleStore::Values SampleStore::record(int i) const {
    Values values{};
    for (size_t k = 0; k < columns.size(); ++k)
        values[k] = columns[k][static_cast<size_t>(i)];
    return values;
}

int SampleStore::lowerBound(qint64 epochSecs) const {
    const qint64 offset = epochSecs - baseSecs;
    const auto it = std::lower_bound(offsets.begin(), offsets.end(), offset,
                                     [](qint32 have, qint64 want) { return have < want; });
    return static_cast<int>(it - offsets.begin());
}
