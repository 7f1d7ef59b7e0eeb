// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Bytes of the upgrade exchange as the meter sees them. The host's packets arrive after
// the report identifier 0x55, so packet byte i is report byte i + 1 and packet byte 63
// (the high CRC byte of a full block) never arrives.

#include <cstddef>
#include <cstdint>

namespace sim::upgradewire {

inline constexpr std::size_t packetOffset = 1;
inline constexpr std::size_t receivedPacketBytes = 63;

inline constexpr uint8_t handshakeType = 0xAA;
inline constexpr uint8_t handshakeLength = 0x06;
inline constexpr uint8_t blockType = 0xCC;
inline constexpr std::size_t lengthOffset = 1;
inline constexpr std::size_t numberOffset = 2;
inline constexpr std::size_t headerSize = 4;
inline constexpr std::size_t crcSize = 2;
inline constexpr int blockDataSize = 58;

// Input reports: the marker, then the reply.
inline constexpr std::size_t replyOffset = 1;
inline constexpr uint8_t handshakeAccepted = 0xBB;
inline constexpr uint8_t handshakeReplyLength = 0x06; // BB 06 N(16) CRC(16)
inline constexpr uint8_t blockAcknowledged = 0xDD;
inline constexpr uint8_t ackLength = 0x04; // DD 04 index(16)
inline constexpr uint8_t allReceived = 0xEE;
inline constexpr uint8_t written = 0xFF;
inline constexpr uint8_t failed = 0x11;

// CRC-16/MODBUS, table-driven: the meter's own implementation, not the host's.
uint16_t crc16(const uint8_t* data, std::size_t length);

} // namespace sim::upgradewire
