// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterFile.h"

#include <QDateTime>

#include <limits>

qint64 localMidnightAfter(qint64 epochSecs, int days) {
    const QDate day = QDateTime::fromSecsSinceEpoch(epochSecs).date();
    return day.addDays(days).startOfDay(Qt::LocalTime).toSecsSinceEpoch();
}

MeterFile::MeterFile(const OutputPlan& plan, QString meterKey, int splitDays)
    : plan(plan), key(std::move(meterKey)), splitDays(splitDays) {}

bool MeterFile::write(qint64 epochSecs, const SampleStore::Values& values) {
    if (!file.isOpen() || epochSecs >= nextSplitSecs) {
        if (!openPart(epochSecs))
            return false;
    }
    return file.writeRow(epochSecs, values);
}

bool MeterFile::openPart(qint64 epochSecs) {
    if (file.isOpen() && !file.sync())
        return false;
    const QString name =
        plan.fileFor(key, QDateTime::fromSecsSinceEpoch(epochSecs), names.isEmpty());
    if (!file.open(name))
        return false;
    names << name;
    nextSplitSecs = splitDays > 0 ? localMidnightAfter(epochSecs, splitDays)
                                  : std::numeric_limits<qint64>::max();
    return true;
}

bool MeterFile::sync() {
    return file.sync();
}

QString MeterFile::errorText() const {
    return QStringLiteral("%1: %2").arg(file.fileName(), file.errorText());
}
