// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"
#include "ValueSpan.h"

#include <array>
#include <cstddef>
#include <vector>

class SampleStore;

// Minimum and maximum of every channel over blocks of 2^k records, level by level, kept
// up to date as records arrive, so the span of any stretch of a recording costs a few
// block reads instead of a scan. Level 0 blocks hold 32 records, which keeps the whole
// pyramid at about 4 bytes a record; the records after the last full block are read
// from the store itself.
class MinMaxPyramid {
public:
    static constexpr int baseShift = 5;
    static constexpr int baseBlock = 1 << baseShift;

    // Takes in the records the store gained since the last call. A store that shrank was
    // cleared: the pyramid starts again. A store replaced wholesale needs reset() first.
    void sync(const SampleStore& store);
    void reset();

    // Span of records [first, last) of one channel; the store must be the synced one.
    ValueSpan span(const SampleStore& store, int channel, int first, int last) const;

    int coveredRecords() const { return covered; }
    std::size_t memoryBytes() const;

private:
    using Level = std::array<std::vector<ValueSpan>, recordedChannelCount>;

    void addBaseBlock(const SampleStore& store, int block);
    void carry(std::size_t level);
    ValueSpan blockSpan(int channel, int firstBlock, int lastBlock) const;

    std::vector<Level> levels;
    // Records summarised in level 0, always a whole number of blocks.
    int covered = 0;
};
