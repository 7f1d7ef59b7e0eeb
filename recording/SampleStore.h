// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QtGlobal>

#include <array>
#include <vector>

// Every sample of a recording, one column per recorded channel, kept compact for runs of
// days: a record costs 4 bytes of time and 4 bytes per channel. Times are whole seconds
// since the epoch (UTC), normally one apart; a later run or a reopened file may leave gaps.
class SampleStore {
public:
    using Values = std::array<float, recordedChannelCount>;

    // A record more than 68 years (2^31 s) from the first cannot be held: it is left out
    // and append returns false, rather than stored at a wrapped time.
    bool append(qint64 epochSecs, const Values& values);
    // Empties the store; capacity stays, a new run records about as many samples again.
    void clear();
    void reserve(int records);

    int size() const { return static_cast<int>(offsets.size()); }
    bool isEmpty() const { return offsets.empty(); }

    qint64 timeAt(int i) const { return baseSecs + offsets[static_cast<size_t>(i)]; }
    float value(int channel, int i) const {
        return columns[static_cast<size_t>(channel)][static_cast<size_t>(i)];
    }
    Values record(int i) const;
    const std::vector<float>& column(int channel) const {
        return columns[static_cast<size_t>(channel)];
    }

    // Index of the first record at or after epochSecs (size() when none). Times of one
    // store only grow, except after a wall-clock step back, where the answer is one of
    // the possible places.
    int lowerBound(qint64 epochSecs) const;

private:
    qint64 baseSecs = 0;
    // Seconds after baseSecs; 32 bits reach 68 years either way.
    std::vector<qint32> offsets;
    std::array<std::vector<float>, recordedChannelCount> columns;
};
