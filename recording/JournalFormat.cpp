// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalFormat.h"

#include "Crc32.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace Journal {

QByteArray encodeHeader(qint64 startSecs, quint32 state) {
    std::array<unsigned char, headerSize> h{};
    std::memcpy(h.data(), magic, magicSize);
    qToLittleEndian<quint16>(formatVersion, h.data() + versionAt);
    qToLittleEndian<quint16>(recordSize, h.data() + recordSizeAt);
    qToLittleEndian<quint16>(recordedChannelCount, h.data() + channelCountAt);
    qToLittleEndian<qint64>(startSecs, h.data() + startSecsAt);
    qToLittleEndian<quint32>(crc32(h.data(), headerCrcAt), h.data() + headerCrcAt);
    qToLittleEndian<quint32>(state, h.data() + stateAt);
    return QByteArray(reinterpret_cast<const char*>(h.data()), headerSize);
}

QByteArray encodeState(quint32 state) {
    unsigned char bytes[sizeof(quint32)];
    qToLittleEndian<quint32>(state, bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

void encodeRecord(unsigned char* out, qint32 secsAfterStart, const SampleStore::Values& values) {
    qToLittleEndian<qint32>(secsAfterStart, out + recordSecsAt);
    for (int k = 0; k < recordedChannelCount; ++k)
        qToLittleEndian<float>(values[k], out + recordValuesAt + 4 * k);
    qToLittleEndian<quint32>(crc32(out, recordCrcAt), out + recordCrcAt);
}

} // namespace Journal
