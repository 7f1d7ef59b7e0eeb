// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalWriter.h"

#include "JournalFolder.h"
#include "JournalFormat.h"

#include <QFileInfo>

#include <limits>

namespace {

bool fitsAnOffset(qint64 secs) {
    return secs >= std::numeric_limits<qint32>::min() && secs <= std::numeric_limits<qint32>::max();
}

} // namespace

JournalWriter::~JournalWriter() {
    close();
}

bool JournalWriter::begin(const QString& path, qint64 runStartSecs) {
    close();
    error.clear();
    startSecs = runStartSecs;
    recordsWritten = 0;
    unsyncedRecords = 0;
    JournalFolder::makePrivateFolder(QFileInfo(path).absolutePath());
    if (!JournalFolder::createPrivateFile(file, path, error))
        return false;
    const QByteArray header = Journal::encodeHeader(startSecs, Journal::stateOpen);
    if (file.write(header) != header.size()) {
        error = file.errorString();
        file.close();
        return false;
    }
    syncFileData(file.handle());
    writing = true;
    return true;
}

bool JournalWriter::append(qint64 epochSecs, const SampleStore::Values& values) {
    if (!writing)
        return false;
    const qint64 offset = epochSecs - startSecs;
    if (!fitsAnOffset(offset))
        return true; // a clock decades off: this sample stays in memory only
    unsigned char record[Journal::recordSize];
    Journal::encodeRecord(record, static_cast<qint32>(offset), values);
    if (file.write(reinterpret_cast<const char*>(record), Journal::recordSize) !=
        Journal::recordSize) {
        stop(file.errorString());
        return false;
    }
    ++recordsWritten;
    if (++unsyncedRecords >= syncEveryRecords)
        sync();
    return true;
}

void JournalWriter::sync() {
    if (!writing || unsyncedRecords == 0)
        return;
    syncer.request(file.handle());
    unsyncedRecords = 0;
}

// A short write leaves part of a record: cut it off, so the file ends on a whole record.
void JournalWriter::stop(const QString& why) {
    error = why;
    writing = false;
    syncer.waitIdle();
    file.resize(Journal::headerSize + recordsWritten * Journal::recordSize);
    syncFileData(file.handle());
}

void JournalWriter::finish() {
    if (!file.isOpen())
        return;
    syncer.waitIdle();
    const QByteArray state = Journal::encodeState(Journal::stateStopped);
    if (file.seek(Journal::stateAt))
        file.write(state);
    closeFile();
}

bool JournalWriter::markSaved(const QString& path) {
    QFile saved(path);
    if (!saved.open(QIODevice::ReadWrite) || !saved.seek(Journal::stateAt))
        return false;
    const QByteArray state = Journal::encodeState(Journal::stateSaved);
    const bool written = saved.write(state) == state.size() && saved.flush();
    syncFileData(saved.handle());
    return written;
}

void JournalWriter::close() {
    if (!file.isOpen())
        return;
    syncer.waitIdle();
    closeFile();
}

void JournalWriter::closeFile() {
    syncFileData(file.handle());
    file.close();
    writing = false;
}
