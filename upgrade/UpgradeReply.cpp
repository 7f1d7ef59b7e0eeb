// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpgradeReply.h"

#include "Crc16.h"
#include "UpgradePackets.h"

namespace Upgrade {
namespace {

// A length byte outside 4..63 would put the CRC outside the reply: the check fails.
bool handshakeCrcHolds(const unsigned char* reply) {
    const int length = reply[replyLengthOffset];
    if (length < minHandshakeReplyLength || length > static_cast<int>(replySize))
        return false;
    const auto covered = static_cast<std::size_t>(length - static_cast<int>(crcSize));
    const unsigned stored = reply[covered] | (reply[covered + 1] << 8);
    return crc16Modbus(reply, covered) == stored;
}

} // namespace

Reply parseReply(const QByteArray& report) {
    if (report.size() < static_cast<int>(packetSize))
        return {};
    const auto* reply = reinterpret_cast<const unsigned char*>(report.constData()) + replyOffset;
    switch (reply[0]) {
    case ReplyType::handshakeAccepted:
        return {handshakeCrcHolds(reply) ? Reply::HandshakeAccepted : Reply::Ignored};
    case ReplyType::blockAcknowledged:
        return {Reply::BlockAcknowledged, reply[ackIndexOffset] | (reply[ackIndexOffset + 1] << 8)};
    case ReplyType::allReceived:
        return {Reply::AllReceived};
    case ReplyType::written:
        return {Reply::Written};
    case ReplyType::failed:
        return {Reply::Failed};
    default:
        return {};
    }
}

} // namespace Upgrade
