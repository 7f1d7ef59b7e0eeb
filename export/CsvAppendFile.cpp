// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvAppendFile.h"

#include "DiskSyncer.h"
#include "saveDataDeal.h"

#include <array>
#include <cerrno>
#include <cstring>

bool CsvAppendFile::open(const QString& fileName) {
    close();
    file.setFileName(fileName);
    const bool isNew = !file.exists();
    // Unbuffered: a row is on its way to the disk once writeRow returns.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return fail();
    wholeRowsEnd = file.size();
    if (isNew) {
        const QByteArray header = saveDataDeal::header();
        if (file.write(header) != header.size())
            return fail();
        wholeRowsEnd = file.size();
    }
    return true;
}

bool CsvAppendFile::writeRow(qint64 epochSecs, const SampleStore::Values& values) {
    std::array<char, CsvRowFormatter::maxRowBytes> row;
    const qint64 length = rows.writeRow(row.data(), epochSecs, values) - row.data();
    if (file.write(row.data(), length) != length)
        return fail();
    wholeRowsEnd += length;
    return true;
}

bool CsvAppendFile::sync() {
    if (file.isOpen() && !syncFileData(file.handle())) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

void CsvAppendFile::close() {
    if (file.isOpen())
        file.close();
}

// A torn row would read as a short last line; cut it off so the file ends on a whole row.
bool CsvAppendFile::fail() {
    error = file.errorString();
    if (file.isOpen() && file.size() > wholeRowsEnd)
        file.resize(wholeRowsEnd);
    return false;
}
