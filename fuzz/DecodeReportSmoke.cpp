// SPDX-License-Identifier: GPL-3.0-or-later
// Deterministic stand-in for the fuzzer where libFuzzer is missing (gcc): random and
// mutated reads of every length class go to the decoder, each checked against the decode
// invariants. Reads end right before an inaccessible page, so touching a byte past the
// given length crashes the run instead of passing unnoticed.
#include "DecodeInvariants.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <random>
#include <vector>

int main() {
    constexpr int iterations = 200000;
    // Each kind must come up this often, or the run proved little about it.
    constexpr int minimumPerKind = 10000;
    // Marker offsets are mutated more often than others: that is where the kinds part.
    constexpr std::array<unsigned, 6> markerOffsets{0, 1, 2, 3, 62, 63};

    using namespace ReportLayout;
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    auto* pages = static_cast<unsigned char*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (pages == MAP_FAILED || mprotect(pages + page, page, PROT_NONE) != 0) {
        std::perror("guard page");
        return 1;
    }
    const auto place = [&](const std::vector<unsigned char>& bytes) {
        return std::copy_backward(bytes.begin(), bytes.end(), pages + page);
    };

    std::mt19937 rng(20240305);
    const auto below = [&](unsigned n) { return unsigned(rng() % n); };
    const auto byte = [&] { return static_cast<unsigned char>(rng()); };
    MeterReading state = ReadingFields::distinctReading();
    std::array<int, 3> kindCounts{};
    const std::vector<Marker> shapes[] = {
        {Measurement::markers.begin(), Measurement::markers.end()},
        {Settings::markers.begin(), Settings::markers.end()},
        {}};
    for (int i = 0; i < iterations; ++i) {
        // Random bytes, shaped as either report two times in three, then a few mutated.
        std::vector<unsigned char> bytes(reportLength);
        std::generate(bytes.begin(), bytes.end(), byte);
        for (const Marker& marker : shapes[below(3)])
            bytes[marker.offset] = marker.value;
        for (unsigned n = below(4); n > 0; --n)
            bytes[below(2) ? markerOffsets[below(6)] : below(64)] = byte();

        // One read of a random length class; the buffer holds only the bytes it allows.
        const unsigned lengthClass = below(10);
        if (lengthClass == 0) // a short read
            bytes.resize(below(reportLength));
        else if (lengthClass == 1) // longer than a report
            bytes.push_back(byte());
        const unsigned char* buf = lengthClass == 3 ? nullptr : place(bytes); // no buffer
        int length = int(bytes.size());
        if (lengthClass == 2) // a failed read
            length = below(2) ? -1 : INT_MIN;
        else if (lengthClass == 3)
            length = below(2) ? reportLength : 0;

        const bool pendingBefore = below(2) != 0;
        const QString violation = decodeViolation(state, pendingBefore, buf, length);
        if (!violation.isEmpty()) {
            std::fprintf(stderr, "iteration %d, length %d: %s\n", i, length, qPrintable(violation));
            return 1;
        }
        ++kindCounts[std::size_t(reportKindOf(buf, length))];
        // Carry the state on, so later reads meet values left by earlier reports.
        bool pending = pendingBefore;
        decodeReportInto(state, pending, buf, length);
    }

    std::printf("%d reads: %d unrecognised, %d measurement, %d settings\n", iterations,
                kindCounts[0], kindCounts[1], kindCounts[2]);
    const bool covered = *std::min_element(kindCounts.begin(), kindCounts.end()) >= minimumPerKind;
    if (!covered)
        std::fprintf(stderr, "a report kind came up fewer than %d times\n", minimumPerKind);
    return covered ? 0 : 1;
}
