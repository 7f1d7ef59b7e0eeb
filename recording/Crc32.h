// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// CRC-32 (IEEE 802.3, reflected polynomial 0xEDB88320, initial and final XOR 0xFFFFFFFF),
// the check value of every journal record: "123456789" gives 0xCBF43926.
uint32_t crc32(const unsigned char* data, size_t length);
