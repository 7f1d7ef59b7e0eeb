// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"
#include "SampleStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <iterator>

// What an exported recording must hold, written with Qt's own text conversions rather
// than the exporter's formatter.
namespace CsvExpected {

inline const QByteArray headerBytes =
    "----------------VARNIK USB_Tester Software----------------\r\n"
    "--------------------------R48M----------------------------\r\n"
    "----------------VARNIK USB_Tester Software----------------\r\n"
    "DATE,VBUS(V),IBUS(A),POWER(W),PD(V),PM(V),CC1(V),CC2(V),"
    "CPU_TEMP(\xE2\x84\x83),\r\n";

// The row as Qt's own text conversions write it, field by field: volts, amps and watts
// with 6 decimals, the data and CC lines with 3, the temperature with 1.
inline QByteArray row(qint64 secs, const SampleStore::Values& v) {
    static constexpr int decimals[] = {6, 6, 6, 3, 3, 3, 3, 1};
    static_assert(std::size(decimals) == recordedChannelCount);
    QString row = QDateTime::fromSecsSinceEpoch(secs).toString("yyyy-MM-dd_hh:mm:ss");
    for (size_t k = 0; k < v.size(); ++k)
        row += ',' + QString::number(double(v[k]), 'f', decimals[k]);
    return row.toUtf8() + "\r\n";
}

} // namespace CsvExpected
