// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpgradePackets.h"

#include "Crc16.h"

#include <algorithm>

namespace Upgrade {
namespace {

void putLittleEndian16(Packet& packet, std::size_t offset, unsigned value) {
    packet[offset] = static_cast<unsigned char>(value & 0xFFu);
    packet[offset + 1] = static_cast<unsigned char>((value >> 8) & 0xFFu);
}

// The CRC over bytes 0 .. end-1, stored at `end`.
void sealWithCrc(Packet& packet, std::size_t end) {
    putLittleEndian16(packet, end, crc16Modbus(packet.data(), end));
}

} // namespace

int blockCount(int imageSize) {
    return (imageSize + blockDataSize - 1) / blockDataSize;
}

Packet handshakePacket(int imageSize) {
    Packet packet{};
    packet[typeOffset] = handshakeType;
    packet[lengthOffset] = handshakeLength;
    putLittleEndian16(packet, numberOffset, static_cast<unsigned>(blockCount(imageSize)));
    sealWithCrc(packet, headerSize);
    return packet;
}

Packet blockPacket(const QByteArray& image, int index) {
    const int offset = index * blockDataSize;
    const int count = std::clamp(image.size() - offset, 0, blockDataSize);
    Packet packet{};
    packet[typeOffset] = blockType;
    packet[lengthOffset] = static_cast<unsigned char>(count + headerSize + crcSize);
    putLittleEndian16(packet, numberOffset, static_cast<unsigned>(index));
    if (count > 0)
        std::copy_n(image.constData() + offset, count, packet.begin() + headerSize);
    sealWithCrc(packet, headerSize + static_cast<std::size_t>(count));
    return packet;
}

} // namespace Upgrade
