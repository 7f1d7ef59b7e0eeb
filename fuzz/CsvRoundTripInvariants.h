// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What writing any log and reading it back must give, shared by the libFuzzer target and
// its smoke run. The input decodes as a log: a start time (5 bytes, within years 1970 to
// 9999), then per record a signed step of the clock (1 byte: recordings step by a second,
// a clock set back steps back) and eight channel values as raw float bits (NaN, infinities
// and subnormals included). The file written must read back as the same records in time
// order (those of one second in log order): the same times, NaN where NaN was, every other
// value the written decimals' reading of it, close to it; and the records read back, written
// and read again, stay as they are.

#include "CsvLayout.h"
#include "CsvReadInvariants.h"
#include "FuzzBytes.h"
#include "FuzzScratch.h"
#include "saveDataDeal.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <vector>

namespace CsvRoundTripCheck {

// 9999-12-31 23:59:59 UTC, the last time a four-digit year spells.
inline constexpr qint64 lastTime = 253402300799;
inline constexpr int maxRecords = 300;

inline SampleStore decodeLog(FuzzBytes& in) {
    SampleStore log;
    qint64 secs = qint64(in.number(5) % std::uint64_t(lastTime + 1));
    while (!in.empty() && log.size() < maxRecords) {
        secs = std::clamp<qint64>(secs + static_cast<std::int8_t>(in.byte()), 0, lastTime);
        SampleStore::Values values{};
        for (float& v : values) {
            const auto bits = static_cast<std::uint32_t>(in.number(4));
            std::memcpy(&v, &bits, sizeof v);
        }
        log.append(secs, values);
    }
    return log;
}

// The log as its file reads back: in time order, the records of one second in log order.
inline SampleStore inTimeOrder(const SampleStore& log) {
    std::vector<int> order(static_cast<size_t>(log.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&log](int a, int b) { return log.timeAt(a) < log.timeAt(b); });
    SampleStore sorted;
    for (int i : order)
        sorted.append(log.timeAt(i), log.record(i));
    return sorted;
}

inline QByteArray writeFresh(const SampleStore& log, const QString& name, QString& failure) {
    const QString path = fuzzScratchDir() + QLatin1Char('/') + name;
    QFile::remove(path);
    const CsvWriteResult written = saveDataDeal::saveData(log, path);
    if (!written.ok)
        failure = QStringLiteral("writing failed: %1").arg(written.error);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Within half a unit of the last written decimal, and the float rounding of that text.
inline bool closeTo(float read, float written, int decimals) {
    if (std::isinf(written))
        return read == written;
    const double allowed =
        0.5 * std::pow(10.0, -decimals) + (std::fabs(double(written)) + 1.0) * std::ldexp(1.0, -23);
    return std::fabs(double(read) - double(written)) <= allowed;
}

// Record i of `back` against `log`: the same time, NaN where NaN was, and every other value
// close to the written one (the same when `exact`).
inline QString recordsViolation(const SampleStore& log, const SampleStore& back, bool exact) {
    for (int i = 0; i < log.size(); ++i) {
        if (back.timeAt(i) != log.timeAt(i))
            return QStringLiteral("record %1 at %2 read back at %3")
                .arg(i)
                .arg(log.timeAt(i))
                .arg(back.timeAt(i));
        for (int k = 0; k < recordedChannelCount; ++k) {
            const float written = log.value(k, i);
            const float read = back.value(k, i);
            const bool nan = std::isnan(written);
            if (nan != std::isnan(read) ||
                (!nan && !(exact ? read == written
                                 : closeTo(read, written, CsvLayout::decimals[size_t(k)]))))
                return QStringLiteral("record %1 channel %2: %3 read back as %4")
                    .arg(i)
                    .arg(k)
                    .arg(double(written), 0, 'g', 9)
                    .arg(double(read), 0, 'g', 9);
        }
    }
    return QString();
}

inline QString violation(FuzzBytes& in) {
    const SampleStore written = decodeLog(in);
    const SampleStore log = inTimeOrder(written);
    QString failure;
    const QByteArray first = writeFresh(written, QStringLiteral("log.csv"), failure);
    if (!failure.isEmpty())
        return failure;
    SampleStore back;
    const CsvReadResult read = CsvReadCheck::readBytes(first, back);
    const auto expected = log.isEmpty() ? CsvReadResult::NoRecords : CsvReadResult::Ok;
    if (read.status != expected || read.records != log.size() || read.skipped != 0)
        return QStringLiteral("%1 records written, %2 read back (status %3), %4 lines skipped")
            .arg(log.size())
            .arg(read.records)
            .arg(read.status)
            .arg(read.skipped);
    const QString wrong = recordsViolation(log, back, false);
    if (!wrong.isEmpty() || log.isEmpty())
        return wrong;
    // Written again, the records read back read back as themselves (a negative value that
    // rounds to zero is written "-0.000000" and reads as -0, written again without the sign).
    SampleStore again;
    CsvReadCheck::readBytes(writeFresh(back, QStringLiteral("again.csv"), failure), again);
    if (!failure.isEmpty() || again.size() != back.size())
        return QStringLiteral("the records read back do not write again: %1").arg(failure);
    const QString drift = recordsViolation(back, again, true);
    return drift.isEmpty() ? drift : QStringLiteral("written and read again: ") + drift;
}

} // namespace CsvRoundTripCheck
