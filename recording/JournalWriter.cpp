#include "JournalWriter.h"

#include "JournalFormat.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Data only: the file's size is metadata fdatasync writes too, its times are not needed.
void flushToDisk(QFile& file) {
#ifdef Q_OS_UNIX
    ::fdatasync(file.handle());
#else
    file.flush();
#endif
}

bool fitsAnOffset(qint64 secs) {
    return secs >= std::numeric_limits<qint32>::min() && secs <= std::numeric_limits<qint32>::max();
}

} // namespace

JournalWriter::~JournalWriter() {
    finish();
}

bool JournalWriter::begin(const QString& path, qint64 runStartSecs) {
    finish();
    error.clear();
    startSecs = runStartSecs;
    recordsWritten = 0;
    unsyncedRecords = 0;
    QDir().mkpath(QFileInfo(path).absolutePath());
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    const QByteArray header = Journal::encodeHeader(startSecs, Journal::stateOpen);
    if (file.write(header) != header.size()) {
        error = file.errorString();
        file.close();
        return false;
    }
    flushToDisk(file);
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
    flushToDisk(file);
    unsyncedRecords = 0;
}

// A short write leaves part of a record: cut it off, so the file ends on a whole record.
void JournalWriter::stop(const QString& why) {
    error = why;
    writing = false;
    file.resize(Journal::headerSize + recordsWritten * Journal::recordSize);
    flushToDisk(file);
}

void JournalWriter::finish() {
    if (!file.isOpen())
        return;
    const QByteArray state = Journal::encodeState(Journal::stateClean);
    if (file.seek(Journal::stateAt))
        file.write(state);
    flushToDisk(file);
    file.close();
    writing = false;
}
