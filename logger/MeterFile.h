// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvAppendFile.h"
#include "OutputPlan.h"

#include <QStringList>

// The CSV recording of one meter: opened at its first sample, continued across unplugs,
// and, when asked, cut into a new file at local midnight every `splitDays` days.
class MeterFile {
public:
    MeterFile(const OutputPlan& plan, QString meterKey, int splitDays);

    // False when the file cannot be opened or written; errorText() names file and reason.
    bool write(qint64 epochSecs, const SampleStore::Values& values);
    bool sync();
    void close() { file.close(); }

    QString errorText() const;
    // Every file this meter was recorded into, oldest first.
    const QStringList& files() const { return names; }

private:
    bool openPart(qint64 epochSecs);

    const OutputPlan plan;
    const QString key;
    const int splitDays;
    qint64 nextSplitSecs = 0;
    CsvAppendFile file;
    QStringList names;
};

// The start of the local day `days` days after the one holding epochSecs. The start of a
// day is found through the time zone rules, so a day of 23 or 25 hours ends where it should.
qint64 localMidnightAfter(qint64 epochSecs, int days);
