// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The meter's answers during a firmware upgrade. The reply is bytes 1-63 of the 64-byte
// input report; byte 0 of the report is not part of it.

#include <QByteArray>

#include <cstddef>

namespace Upgrade {

namespace ReplyType {
inline constexpr unsigned char handshakeAccepted = 0xBB; // BB R ... CRC(16) over bytes 0..R-3
inline constexpr unsigned char blockAcknowledged = 0xDD; // DD . index(16)
inline constexpr unsigned char allReceived = 0xEE;
inline constexpr unsigned char written = 0xFF;
inline constexpr unsigned char failed = 0x11;
} // namespace ReplyType

inline constexpr std::size_t replyOffset = 1; // where the reply starts in the report
inline constexpr std::size_t replySize = 63;
inline constexpr std::size_t replyLengthOffset = 1;
inline constexpr std::size_t ackIndexOffset = 2;
// Shortest 0xBB reply: type, length and the CRC.
inline constexpr int minHandshakeReplyLength = 4;

struct Reply {
    enum Kind {
        Ignored, // unknown type, a handshake reply failing its check, or not a full report
        HandshakeAccepted,
        BlockAcknowledged,
        AllReceived,
        Written,
        Failed,
    };
    Kind kind = Ignored;
    int acknowledgedIndex = 0; // BlockAcknowledged only
};

// A 64-byte input report as read from the meter.
Reply parseReply(const QByteArray& report);

} // namespace Upgrade
