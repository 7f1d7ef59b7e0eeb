// SPDX-License-Identifier: GPL-3.0-or-later
#include "BootLoader.h"

#include "MeterWire.h"
#include "UpgradeWire.h"

#include <algorithm>

namespace sim {
namespace {

namespace uw = upgradewire;

unsigned littleEndianAt(const Report& report, std::size_t offset) {
    return report[offset] | (report[offset + 1] << 8);
}

Report reply(std::initializer_list<uint8_t> bytes) {
    Report report{};
    report[0] = wire::inputMarker;
    std::copy(bytes.begin(), bytes.end(), report.begin() + uw::replyOffset);
    return report;
}

Report handshakeReply(int blockCount) {
    Report report =
        reply({uw::handshakeAccepted, uw::handshakeReplyLength, static_cast<uint8_t>(blockCount),
               static_cast<uint8_t>(blockCount >> 8)});
    const uint16_t crc = uw::crc16(report.data() + uw::replyOffset, uw::headerSize);
    report[uw::replyOffset + uw::headerSize] = static_cast<uint8_t>(crc);
    report[uw::replyOffset + uw::headerSize + 1] = static_cast<uint8_t>(crc >> 8);
    return report;
}

Report ackReply(int index) {
    return reply({uw::blockAcknowledged, uw::ackLength, static_cast<uint8_t>(index),
                  static_cast<uint8_t>(index >> 8)});
}

// The CRC over packet bytes 0..end-1 against the bytes after them, as far as they arrived:
// a full block's high CRC byte is packet byte 63, which the report does not carry.
bool crcHolds(const Report& report, std::size_t end) {
    const uint8_t* packet = report.data() + uw::packetOffset;
    const uint16_t crc = uw::crc16(packet, end);
    if (packet[end] != static_cast<uint8_t>(crc))
        return false;
    return end + 1 >= uw::receivedPacketBytes || packet[end + 1] == static_cast<uint8_t>(crc >> 8);
}

} // namespace

void BootLoader::enter() {
    if (script.fault == UpgradeScript::StayInNormalMode)
        return;
    mode = Mode::AwaitingHandshake;
    faultUsed = false;
}

Answer BootLoader::handleOutput(const Report& report) {
    const uint8_t type = report[uw::packetOffset];
    const bool listening = mode == Mode::AwaitingHandshake || mode == Mode::Receiving;
    if (listening && type == uw::handshakeType)
        return handshake(report);
    if (mode == Mode::Receiving && type == uw::blockType)
        return block(report);
    return {}; // writing, mute, or not a packet of the exchange
}

Answer BootLoader::handshake(const Report& report) {
    const uint8_t* packet = report.data() + uw::packetOffset;
    const int count = static_cast<int>(littleEndianAt(report, uw::packetOffset + uw::numberOffset));
    if (packet[uw::lengthOffset] != uw::handshakeLength || !crcHolds(report, uw::headerSize) ||
        count == 0)
        return failure();
    blockCount = count;
    nextIndex = 0;
    received.clear();
    mode = Mode::Receiving;
    return {{handshakeReply(count)}};
}

Answer BootLoader::block(const Report& report) {
    const uint8_t* packet = report.data() + uw::packetOffset;
    const int index = static_cast<int>(littleEndianAt(report, uw::packetOffset + uw::numberOffset));
    const int length = packet[uw::lengthOffset];
    const int dataSize = length - static_cast<int>(uw::headerSize + uw::crcSize);
    const bool last = index == blockCount - 1;
    const bool sizeFits =
        last ? dataSize >= 1 && dataSize <= uw::blockDataSize : dataSize == uw::blockDataSize;
    if (index != nextIndex || !sizeFits ||
        !crcHolds(report, uw::headerSize + static_cast<std::size_t>(dataSize)))
        return failure();
    if (faultDue(index))
        return fault();
    received.insert(received.end(), packet + uw::headerSize, packet + uw::headerSize + dataSize);
    return blockAccepted(index);
}

Answer BootLoader::blockAccepted(int index) {
    nextIndex = index + 1;
    if (nextIndex < blockCount)
        return {{ackReply(index)}};
    mode = Mode::Writing;
    Answer answer{{ackReply(index), reply({uw::allReceived})}};
    answer.finishAfterMs = std::max(0, script.writingMs);
    return answer;
}

// Only the faults of the blocks and the writing phase; the others act elsewhere.
bool BootLoader::faultDue(int index) const {
    const UpgradeScript::Fault kind = script.fault;
    const bool ofTheTransfer =
        kind != UpgradeScript::None && kind != UpgradeScript::StayInNormalMode;
    return ofTheTransfer && !faultUsed && script.atBlock == index;
}

Answer BootLoader::fault() {
    faultUsed = true;
    switch (script.fault) {
    case UpgradeScript::Unplug: {
        Answer answer;
        answer.unplug = true;
        return answer;
    }
    case UpgradeScript::RefuseWrite: {
        Answer answer;
        answer.refuseWrite = true;
        return answer;
    }
    default: // ReportFailure
        return failure();
    }
}

Answer BootLoader::finishWriting() {
    if (mode != Mode::Writing)
        return {};
    mode = Mode::Off;
    if (!faultDue(UpgradeScript::writingPhase))
        return {{reply({uw::written})}};
    faultUsed = true;
    Answer answer;
    if (script.fault == UpgradeScript::ReportFailure)
        answer.reports.push_back(reply({uw::failed}));
    answer.unplug = script.fault == UpgradeScript::Unplug;
    return answer;
}

Answer BootLoader::failure() {
    mode = Mode::Off;
    return {{reply({uw::failed})}};
}

} // namespace sim
