// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16/MODBUS: initial value 0xFFFF, reflected polynomial 0xA001, no final XOR. The
// upgrade packets and replies carry it low byte first.
uint16_t crc16Modbus(const unsigned char* data, std::size_t length);
