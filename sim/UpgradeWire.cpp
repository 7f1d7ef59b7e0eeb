// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpgradeWire.h"

#include <array>

namespace sim::upgradewire {
namespace {

constexpr uint16_t crcInitial = 0xFFFF;
constexpr uint16_t crcPolynomial = 0xA001; // 0x8005 reflected

constexpr std::array<uint16_t, 256> crcTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned byte = 0; byte < table.size(); ++byte) {
        unsigned value = byte;
        for (int bit = 0; bit < 8; ++bit)
            value = (value >> 1) ^ ((value & 1u) ? crcPolynomial : 0u);
        table[byte] = static_cast<uint16_t>(value);
    }
    return table;
}

constexpr std::array<uint16_t, 256> table = crcTable();

} // namespace

uint16_t crc16(const uint8_t* data, std::size_t length) {
    uint16_t crc = crcInitial;
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<uint16_t>((crc >> 8) ^ table[(crc ^ data[i]) & 0xFFu]);
    return crc;
}

} // namespace sim::upgradewire
