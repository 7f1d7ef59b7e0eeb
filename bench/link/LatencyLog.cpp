// SPDX-License-Identifier: GPL-3.0-or-later
#include "LatencyLog.h"

#include "SimMeter.h"

#include <cstdint>
#include <cstring>

namespace {
// The link hands reports over unread, so only the sequence number in them matters.
constexpr std::size_t sequenceOffset = 0;
using Sequence = std::uint32_t;
} // namespace

void LatencyLog::send() {
    sim::Report report{};
    const auto sequence = static_cast<Sequence>(sentAt.size());
    std::memcpy(report.data() + sequenceOffset, &sequence, sizeof sequence);
    sentAt.push_back(Clock::now());
    sim::sendInput(meter, report);
}

void LatencyLog::receive(const QByteArray& report) {
    const Clock::time_point now = Clock::now();
    Sequence sequence = 0;
    if (static_cast<std::size_t>(report.size()) < sequenceOffset + sizeof sequence)
        return;
    std::memcpy(&sequence, report.constData() + sequenceOffset, sizeof sequence);
    if (sequence >= sentAt.size())
        return;
    delays.push_back(std::chrono::duration<double, std::milli>(now - sentAt[sequence]).count());
}
