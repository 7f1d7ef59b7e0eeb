// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading a fuzz input as a stream of small decisions, and ending the run on a violation.
// Shared by the libFuzzer targets and their deterministic smoke runs.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

class FuzzBytes {
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool empty() const { return at >= size; }
    // The next byte, 0 once the input is used up.
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    // The next n bytes little-endian, missing bytes read as 0.
    std::uint64_t number(int n) {
        std::uint64_t value = 0;
        for (int i = 0; i < n; ++i)
            value |= std::uint64_t(byte()) << (8 * i);
        return value;
    }
    // Up to n bytes, fewer at the end of the input.
    QByteArray take(std::size_t n) {
        const std::size_t count = n < size - at ? n : size - at;
        const QByteArray bytes(reinterpret_cast<const char*>(data + at), int(count));
        at += count;
        return bytes;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

// Prints what broke and aborts, so libFuzzer keeps the input and the smoke run fails.
inline void abortOnViolation(const QString& violation) {
    if (violation.isEmpty())
        return;
    std::fprintf(stderr, "invariant broken: %s\n", qPrintable(violation));
    std::abort();
}
