// SPDX-License-Identifier: GPL-3.0-or-later
#include "MinMaxPyramid.h"

#include "SampleStore.h"

#include <algorithm>

namespace {

ValueSpan scan(const SampleStore& store, int channel, int first, int last) {
    ValueSpan span;
    const std::vector<float>& column = store.column(channel);
    for (int i = first; i < last; ++i)
        span.add(column[static_cast<size_t>(i)]);
    return span;
}

} // namespace

void MinMaxPyramid::reset() {
    levels.clear();
    covered = 0;
}

void MinMaxPyramid::sync(const SampleStore& store) {
    if (store.size() < covered)
        reset();
    while (covered + baseBlock <= store.size()) {
        addBaseBlock(store, covered >> baseShift);
        covered += baseBlock;
    }
}

void MinMaxPyramid::addBaseBlock(const SampleStore& store, int block) {
    if (levels.empty())
        levels.emplace_back();
    const int first = block << baseShift;
    for (int k = 0; k < recordedChannelCount; ++k)
        levels[0][static_cast<size_t>(k)].push_back(scan(store, k, first, first + baseBlock));
    carry(0);
}

// Each second block of a level completes one block of the level above.
void MinMaxPyramid::carry(std::size_t level) {
    for (; levels[level][0].size() % 2 == 0; ++level) {
        if (level + 1 == levels.size())
            levels.emplace_back();
        for (int k = 0; k < recordedChannelCount; ++k) {
            const std::vector<ValueSpan>& below = levels[level][static_cast<size_t>(k)];
            ValueSpan merged = below[below.size() - 2];
            merged.add(below.back());
            levels[level + 1][static_cast<size_t>(k)].push_back(merged);
        }
    }
}

// Blocks [firstBlock, lastBlock) of level 0, climbing one level whenever both ends are
// aligned to the level above (a bottom-up segment tree walk).
ValueSpan MinMaxPyramid::blockSpan(int channel, int firstBlock, int lastBlock) const {
    ValueSpan span;
    const auto k = static_cast<size_t>(channel);
    for (size_t level = 0; firstBlock < lastBlock && level < levels.size(); ++level) {
        const std::vector<ValueSpan>& blocks = levels[level][k];
        if (firstBlock & 1)
            span.add(blocks[static_cast<size_t>(firstBlock++)]);
        if (lastBlock & 1)
            span.add(blocks[static_cast<size_t>(--lastBlock)]);
        firstBlock >>= 1;
        lastBlock >>= 1;
    }
    return span;
}

ValueSpan MinMaxPyramid::span(const SampleStore& store, int channel, int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, store.size());
    const int coveredBlocks = std::min(covered, store.size()) >> baseShift;
    const int firstBlock = (first + baseBlock - 1) >> baseShift;
    const int lastBlock = std::min(last >> baseShift, coveredBlocks);
    if (firstBlock >= lastBlock)
        return scan(store, channel, first, last);
    ValueSpan span = scan(store, channel, first, firstBlock << baseShift);
    span.add(blockSpan(channel, firstBlock, lastBlock));
    span.add(scan(store, channel, lastBlock << baseShift, last));
    return span;
}

std::size_t MinMaxPyramid::memoryBytes() const {
    std::size_t bytes = 0;
    for (const Level& level : levels)
        for (const std::vector<ValueSpan>& blocks : level)
            bytes += blocks.capacity() * sizeof(ValueSpan);
    return bytes;
}
