// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SampleStore.h"

#include <QString>

struct CsvReadResult {
    enum Status { Ok, CannotOpen, NotAFile, TooLarge, NoRecords };
    Status status = Ok;
    QString error; // the system's reason for CannotOpen
    int records = 0;
    // Lines that are neither header, blank nor a row of nine fields that parse.
    int skipped = 0;
    // Records found after a later one in the file (runs appended out of order).
    int reordered = 0;
    // Records in the same second as the one before them once in order (a file exported
    // twice, two samples in one second).
    int repeated = 0;
};

// Reads a recording back from a CSV file in the layout the program writes. Rows that do
// not parse are skipped and counted; gaps in time (several runs appended to one file)
// stay gaps; records come back in time order, those of one second in file order. Only a
// regular file is read, and no more of it than its size when opened: a FIFO, a device or
// a file still growing never blocks nor fills memory. The store is filled only when the
// file holds at least one record.
class CsvReader {
public:
    // Files above this size are refused rather than read: 512 MiB holds about 80 days of
    // records, which need some 250 MB in memory.
    static constexpr qint64 maxFileBytes = qint64(512) << 20;

    static CsvReadResult read(const QString& fileName, SampleStore& into);
    // The time of the file's last record that parses, read from its end; false when the
    // file cannot be read or its last rows hold none.
    static bool lastRecordTime(const QString& fileName, qint64& epochSecs);
};
