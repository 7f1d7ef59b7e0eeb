// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvRowFormatter.h"

#include "CsvLayout.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int maxFixedBytes = 48;
constexpr char nanText[] = "nan";
constexpr std::array<std::uint64_t, maxFixedDecimals + 1> powersOfTen{1,     10,     100,    1000,
                                                                      10000, 100000, 1000000};

// IEEE 754 single precision: value = mantissa * 2^exponent.
constexpr int mantissaBits = 23;
constexpr int signBit = 31;
constexpr std::uint32_t mantissaMask = (1u << mantissaBits) - 1;
constexpr std::uint32_t exponentMask = 0xFF;
constexpr int exponentBias = 127 + mantissaBits;
// Above this exponent the value times 10^6 (24 + 20 bits) no longer fits 64 bits.
constexpr int largestShift = 20;
// Below this exponent (mantissa * 10^6 < 2^44) the value rounds to zero at any decimals.
constexpr int deepestShift = 45;

constexpr bool everyColumnFits() {
    for (const int d : CsvLayout::decimals) {
        if (d < 0 || d > maxFixedDecimals)
            return false;
    }
    return true;
}
static_assert(everyColumnFits(), "a column has more decimals than the formatter rounds exactly");

struct Binary {
    bool negative;
    std::uint64_t mantissa;
    int exponent;
};

Binary decompose(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const std::uint32_t biased = (bits >> mantissaBits) & exponentMask;
    const std::uint32_t fraction = bits & mantissaMask;
    // Subnormals have no hidden bit and the exponent of the smallest normal.
    if (biased == 0)
        return {(bits >> signBit) != 0, fraction, 1 - exponentBias};
    return {(bits >> signBit) != 0, fraction | (1u << mantissaBits),
            static_cast<int>(biased) - exponentBias};
}

// |value| * 10^decimals rounded to the nearest integer, halves away from zero. Exact: the
// mantissa has 24 bits and 10^6 needs 20 more.
std::uint64_t scaledMagnitude(const Binary& b, int decimals) {
    const std::uint64_t scaled = b.mantissa * powersOfTen[static_cast<size_t>(decimals)];
    if (b.exponent >= 0)
        return scaled << b.exponent;
    const int shift = -b.exponent;
    if (shift >= deepestShift)
        return 0;
    const std::uint64_t whole = scaled >> shift;
    const std::uint64_t rest = scaled & ((std::uint64_t(1) << shift) - 1);
    return whole + (rest >= (std::uint64_t(1) << (shift - 1)) ? 1 : 0);
}

// The integer `scaled` / 10^decimals with exactly `decimals` decimals.
char* writeScaled(char* out, std::uint64_t scaled, int decimals) {
    const std::uint64_t unit = powersOfTen[static_cast<size_t>(decimals)];
    out = std::to_chars(out, out + maxFixedBytes, scaled / unit).ptr;
    if (decimals == 0)
        return out;
    *out = '.';
    std::uint64_t fraction = scaled % unit;
    for (int i = decimals; i > 0; --i) {
        out[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return out + 1 + decimals;
}

} // namespace

char* writeFixed(char* out, float value, int decimals) {
    if (std::isnan(value))
        return std::copy(nanText, nanText + sizeof(nanText) - 1, out);
    const Binary b = decompose(value);
    // Infinities and integers from 2^44 on, where to_chars (slow, but rounding halves to
    // even) and the text we match agree: there is nothing to round.
    if (std::isinf(value) || b.exponent > largestShift)
        return std::to_chars(out, out + maxFixedBytes, static_cast<double>(value),
                             std::chars_format::fixed, decimals)
            .ptr;
    if (b.negative && value != 0)
        *out++ = '-';
    return writeScaled(out, scaledMagnitude(b, decimals), decimals);
}

char* CsvRowFormatter::writeRow(char* out, qint64 epochSecs, const SampleStore::Values& values) {
    out = timestamp.write(out, epochSecs);
    for (size_t k = 0; k < values.size(); ++k) {
        *out++ = CsvLayout::separator;
        out = writeFixed(out, values[k], CsvLayout::decimals[k]);
    }
    std::memcpy(out, CsvLayout::lineEnd, sizeof(CsvLayout::lineEnd) - 1);
    return out + sizeof(CsvLayout::lineEnd) - 1;
}
