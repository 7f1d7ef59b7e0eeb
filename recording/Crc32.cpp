// SPDX-License-Identifier: GPL-3.0-or-later
#include "Crc32.h"

#include <array>

namespace {

constexpr uint32_t reflectedPolynomial = 0xEDB88320u;
constexpr uint32_t allOnes = 0xFFFFFFFFu;

constexpr std::array<uint32_t, 256> makeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1u) ? reflectedPolynomial ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> table = makeTable();

} // namespace

uint32_t crc32(const unsigned char* data, size_t length) {
    uint32_t c = allOnes;
    for (size_t i = 0; i < length; ++i)
        c = table[(c ^ data[i]) & 0xFFu] ^ (c >> 8);
    return c ^ allOnes;
}
