// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvRowFormatter.h"

#include <QFile>
#include <QString>

// One CSV recording written a row at a time as samples arrive, for runs of days: nothing
// is kept in memory, each row reaches the file with one write, so the file is valid CSV
// after every row, and sync() puts it on the disk. A new file gets the header first; an
// existing one gets rows after its end, as the window's export does.
class CsvAppendFile {
public:
    CsvAppendFile() = default;
    CsvAppendFile(const CsvAppendFile&) = delete;
    CsvAppendFile& operator=(const CsvAppendFile&) = delete;

    bool open(const QString& fileName);
    // A failed or short write is cut back to the last whole row and returns false.
    bool writeRow(qint64 epochSecs, const SampleStore::Values& values);
    bool sync();
    void close();

    bool isOpen() const { return file.isOpen(); }
    QString fileName() const { return file.fileName(); }
    // The system's reason for the last failure.
    QString errorText() const { return error; }

private:
    bool fail();

    QFile file;
    CsvRowFormatter rows;
    qint64 wholeRowsEnd = 0;
    QString error;
};
