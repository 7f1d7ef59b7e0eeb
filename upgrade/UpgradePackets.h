// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The packets the host sends during a firmware upgrade. Each is a 64-byte buffer handed to
// the link thread, which sends 0x55 and the first 63 bytes: byte 63 never leaves the host.
// Numbers are little-endian; CRCs are CRC-16/MODBUS, low byte first.

#include <QByteArray>

#include <array>
#include <cstddef>

namespace Upgrade {

inline constexpr std::size_t packetSize = 64;
using Packet = std::array<unsigned char, packetSize>;

// Firmware bytes carried by every block but the last.
inline constexpr int blockDataSize = 58;
// Largest image the block count (16 bits) and the meter accept: 2 MiB.
inline constexpr int maxImageSize = 2 * 1024 * 1024;

// Handshake: AA 06 N(16) CRC(16), N the number of blocks.
inline constexpr unsigned char handshakeType = 0xAA;
inline constexpr unsigned char handshakeLength = 0x06;
// Data block: CC L index(16) data[n] CRC(16), L = n + 6.
inline constexpr unsigned char blockType = 0xCC;
inline constexpr std::size_t typeOffset = 0;
inline constexpr std::size_t lengthOffset = 1;
inline constexpr std::size_t numberOffset = 2; // block count or block index
inline constexpr std::size_t headerSize = 4;   // type, length, 16-bit number
inline constexpr std::size_t crcSize = 2;

// ceil(imageSize / 58).
int blockCount(int imageSize);
Packet handshakePacket(int imageSize);
// Block `index` of `image`: 58 bytes, or what is left for the last block. The index must
// name a block of the image.
Packet blockPacket(const QByteArray& image, int index);

} // namespace Upgrade
