// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalReader.h"

#include "Crc32.h"
#include "JournalFormat.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace {

using Status = JournalContents::Status;

// The version comes before the check: a newer format may have moved or widened the check,
// and its file must read as newer (kept), not as damaged.
Status checkHeader(const unsigned char* h) {
    if (std::memcmp(h, Journal::magic, Journal::magicSize) != 0)
        return Status::NotAJournal;
    if (qFromLittleEndian<quint16>(h + Journal::versionAt) > Journal::formatVersion)
        return Status::FutureVersion;
    if (qFromLittleEndian<quint32>(h + Journal::headerCrcAt) != crc32(h, Journal::headerCrcAt))
        return Status::Damaged;
    if (qFromLittleEndian<quint16>(h + Journal::versionAt) != Journal::formatVersion ||
        qFromLittleEndian<quint16>(h + Journal::recordSizeAt) != Journal::recordSize ||
        qFromLittleEndian<quint16>(h + Journal::channelCountAt) != recordedChannelCount)
        return Status::Damaged;
    return Status::Ok;
}

JournalContents::RunState runState(quint32 field) {
    switch (field) {
    case Journal::stateStopped:
        return JournalContents::RunState::Stopped;
    case Journal::stateSaved:
        return JournalContents::RunState::Saved;
    default:
        return JournalContents::RunState::Running;
    }
}

bool recordIsWhole(const unsigned char* r) {
    return qFromLittleEndian<quint32>(r + Journal::recordCrcAt) == crc32(r, Journal::recordCrcAt);
}

void appendRecord(JournalContents& contents, const unsigned char* r) {
    SampleStore::Values values{};
    for (int k = 0; k < recordedChannelCount; ++k)
        values[k] = qFromLittleEndian<float>(r + Journal::recordValuesAt + 4 * k);
    const qint64 secs = contents.startSecs + qFromLittleEndian<qint32>(r + Journal::recordSecsAt);
    contents.samples.append(secs, values);
}

} // namespace

JournalContents parseJournal(const QByteArray& bytes) {
    JournalContents contents;
    if (bytes.size() < Journal::headerSize) {
        contents.status = Status::Empty;
        return contents;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    contents.status = checkHeader(data);
    if (contents.status != Status::Ok)
        return contents;
    contents.startSecs = qFromLittleEndian<qint64>(data + Journal::startSecsAt);
    contents.state = runState(qFromLittleEndian<quint32>(data + Journal::stateAt));
    const int body = bytes.size() - Journal::headerSize;
    const int records = body / Journal::recordSize;
    contents.tornBytes = body % Journal::recordSize;
    contents.samples.reserve(records);
    for (int i = 0; i < records; ++i) {
        const unsigned char* r = data + Journal::headerSize + i * Journal::recordSize;
        if (recordIsWhole(r))
            appendRecord(contents, r);
        else
            ++contents.droppedRecords;
    }
    return contents;
}

JournalContents readJournal(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A large file of another program is refused on its first bytes, never loaded whole.
    const QByteArray head = file.read(Journal::headerSize);
    JournalContents contents = parseJournal(head);
    if (contents.status != JournalContents::Status::Ok)
        return contents;
    return parseJournal(head + file.readAll());
}
