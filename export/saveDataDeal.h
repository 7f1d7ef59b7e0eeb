// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RangeStatistics.h"
#include "SampleStore.h"

#include <QString>

struct CsvWriteResult {
    bool ok = true;
    QString error; // the system's reason when !ok
};

// Writes the sample log as CSV. A new file gets the header first; an existing file (ours
// or not) gets only the rows, after its end. A failed write is reported with its reason
// and undone: an existing file is cut back to its old length and a new one removed, so no
// half-written row is left to look complete.
class saveDataDeal {
public:
    static CsvWriteResult saveData(const SampleStore& log, const QString& fileName);
    // Only records [records.first, records.last) of the log.
    static CsvWriteResult saveData(const SampleStore& log, const QString& fileName,
                                   RecordSpan records);

    // The four header lines in the current language, CR LF ended, UTF-8.
    static QByteArray header();
};
