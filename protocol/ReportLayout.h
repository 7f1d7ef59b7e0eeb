// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Byte layout of the meter's two 64-byte input reports. Free of Qt so that code which
// builds reports (the simulated meter, tests) can use the same numbers.
namespace ReportLayout {

inline constexpr int reportLength = 64;

// A byte the report must carry at a fixed offset to be recognised.
struct Marker {
    int offset;
    std::uint8_t value;
};

inline constexpr Marker start{0, 0xAA};

// The caller guarantees reportLength readable bytes, which covers every marker offset.
template <std::size_t N>
bool carriesMarkers(const unsigned char* buf, const std::array<Marker, N>& markers) {
    for (const Marker& marker : markers) {
        if (buf[marker.offset] != marker.value)
            return false;
    }
    return true;
}

namespace Measurement {
inline constexpr std::array<Marker, 4> markers{start, Marker{1, 0x40}, Marker{2, 0x62},
                                               Marker{3, 0x05}};
// Nine unsigned 32-bit little-endian counts in decoder channel order, 4 bytes apart.
inline constexpr int firstChannelOffset = 8;
inline constexpr int channelStride = 4;
// Every count is in millionths of its unit (V, A, W, degrees Celsius).
inline constexpr double countsPerUnit = 1e6;
inline constexpr int directionOffset = 60;
} // namespace Measurement

namespace Settings {
inline constexpr std::array<Marker, 5> markers{start, Marker{1, 0x05}, Marker{2, 0x40},
                                               Marker{62, 0xEE}, Marker{63, 0xFF}};
inline constexpr int languageOffset = 8;
inline constexpr int workBrightnessOffset = 9;
inline constexpr int standbyBrightnessOffset = 10;
inline constexpr int standbyTimeOffset = 11;
inline constexpr int standbyStyleOffset = 12;
inline constexpr int rotationSwitchOffset = 13;
// IEEE 754 single-precision bit patterns, most significant byte first.
inline constexpr int voltCalOffset = 16;
inline constexpr int currCalOffset = 20;
inline constexpr int tempCalOffset = 24;
inline constexpr int minCurrentOffset = 28;
} // namespace Settings

} // namespace ReportLayout
