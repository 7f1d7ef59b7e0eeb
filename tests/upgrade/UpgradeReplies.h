// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Input reports a meter sends during an upgrade, for feeding the engine.

#include "Crc16.h"

#include <QByteArray>

namespace replies {

inline QByteArray report(std::initializer_list<int> reply) {
    QByteArray out(64, '\0');
    out[0] = 0x55;
    int i = 1;
    for (int v : reply)
        out[i++] = static_cast<char>(v);
    return out;
}

// BB 06 N(16) CRC(16), the CRC over the four bytes before it.
inline QByteArray handshake(int blocks = 2) {
    QByteArray out = report({0xBB, 0x06, blocks & 0xFF, blocks >> 8});
    const quint16 crc = crc16Modbus(reinterpret_cast<const unsigned char*>(out.constData()) + 1, 4);
    out[5] = static_cast<char>(crc & 0xFF);
    out[6] = static_cast<char>(crc >> 8);
    return out;
}

inline QByteArray ack(int index) {
    return report({0xDD, 0x04, index & 0xFF, index >> 8});
}
inline QByteArray allReceived() {
    return report({0xEE});
}
inline QByteArray written() {
    return report({0xFF});
}

} // namespace replies
