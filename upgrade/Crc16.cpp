// SPDX-License-Identifier: GPL-3.0-or-later
#include "Crc16.h"

namespace {
constexpr uint16_t initialValue = 0xFFFF;
constexpr uint16_t reflectedPolynomial = 0xA001;
constexpr int bitsPerByte = 8;
} // namespace

uint16_t crc16Modbus(const unsigned char* data, std::size_t length) {
    uint16_t crc = initialValue;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < bitsPerByte; ++bit)
            crc = (crc & 1u) ? static_cast<uint16_t>((crc >> 1) ^ reflectedPolynomial)
                             : static_cast<uint16_t>(crc >> 1);
    }
    return crc;
}
