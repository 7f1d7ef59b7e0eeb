// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What reading any bytes as a recording must give, shared by the libFuzzer target and its
// smoke run (violation() below).

#include "CsvLayout.h"
#include "CsvReader.h"
#include "FuzzScratch.h"

#include <QDateTime>
#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace CsvReadCheck {

inline bool sameValue(float a, float b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

inline QString recordViolation(const QByteArray& line, qint64 secs,
                               const SampleStore::Values& values) {
    const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
    const QList<QByteArray> fields = text.split(CsvLayout::separator);
    if (fields.size() != CsvLayout::fieldCount)
        return QStringLiteral("a record from %1 fields").arg(fields.size());
    const QString stamp =
        QDateTime::fromSecsSinceEpoch(secs).toString(QLatin1String(CsvLayout::timestampFormat));
    if (stamp.toLatin1() != fields.first())
        return QStringLiteral("time %1 read from \"%2\"").arg(secs).arg(QString::fromLatin1(text));
    for (int k = 0; k < recordedChannelCount; ++k) {
        const QByteArray field = fields[k + 1];
        const char* const fieldEnd = field.constData() + field.size();
        char* end = nullptr;
        const float expected = std::strtof(field.constData(), &end);
        // The file's grammar is from_chars's, narrower than strtof's (no '+', blanks, hex or
        // overflow): a line strtof reads but the grammar refuses is no record, else it could
        // stand in for a later line of the same second and values.
        float strict = 0;
        const auto [stop, error] = std::from_chars(field.constData(), fieldEnd, strict);
        if (end != fieldEnd || stop != fieldEnd || error != std::errc() ||
            !sameValue(expected, values[size_t(k)]))
            return QStringLiteral("channel %1 read as %2 from \"%3\"")
                .arg(k)
                .arg(double(values[size_t(k)]))
                .arg(QString::fromLatin1(field));
    }
    return QString();
}

inline bool sameRecord(const SampleStore& a, int i, const SampleStore& b, int j) {
    const SampleStore::Values x = a.record(i);
    const SampleStore::Values y = b.record(j);
    return a.timeAt(i) == b.timeAt(j) && std::equal(x.begin(), x.end(), y.begin(), sameValue);
}

inline CsvReadResult readBytes(const QByteArray& bytes, SampleStore& store) {
    return CsvReader::read(writeScratchFile(QStringLiteral("read.csv"), bytes), store);
}

// Empty lines, the banner lines and the column titles: neither records nor skipped.
inline bool isHeaderOrBlank(QByteArray line) {
    if (line.endsWith('\r'))
        line.chop(1);
    return line.isEmpty() || line.startsWith('-') || line.startsWith("DATE,");
}

inline QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (bytes.endsWith('\n') || bytes.isEmpty())
        lines.removeLast(); // the line end closes the last line, it opens none
    return lines;
}

// Each record must be spelt by a line (its values as the fields read, at the time its text
// names), the records of one time stamp in file order, and be in time order; every other
// line is skipped, blank or header; the reordered and repeated counts are the records'.
inline QString recordsViolation(const QList<QByteArray>& lines, const SampleStore& store,
                                const CsvReadResult& result) {
    QHash<QByteArray, QVector<int>> byStamp; // records of each time text, last first
    for (int i = store.size() - 1; i >= 0; --i) {
        if (i > 0 && store.timeAt(i) < store.timeAt(i - 1))
            return QStringLiteral("record %1 is earlier than the one before it").arg(i);
        const QDateTime time = QDateTime::fromSecsSinceEpoch(store.timeAt(i));
        byStamp[time.toString(QLatin1String(CsvLayout::timestampFormat)).toLatin1()] << i;
    }
    int matched = 0, other = 0, reordered = 0, repeated = 0;
    qint64 latest = std::numeric_limits<qint64>::min();
    for (const QByteArray& line : lines) {
        QVector<int>& candidates = byStamp[line.left(CsvLayout::timestampLength)];
        const int i = candidates.isEmpty() ? -1 : candidates.last();
        if (i >= 0 && recordViolation(line, store.timeAt(i), store.record(i)).isEmpty()) {
            candidates.removeLast();
            ++matched;
            reordered += store.timeAt(i) < latest ? 1 : 0;
            latest = std::max(latest, store.timeAt(i));
            repeated += i > 0 && store.timeAt(i) == store.timeAt(i - 1) ? 1 : 0;
        } else if (!isHeaderOrBlank(line)) {
            ++other;
        }
    }
    if (matched != result.records)
        return QStringLiteral("%1 of %2 records are spelt by a line in their place")
            .arg(matched)
            .arg(result.records);
    if (other != result.skipped)
        return QStringLiteral("%1 lines skipped, %2 counted").arg(other).arg(result.skipped);
    if (reordered != result.reordered || repeated != result.repeated)
        return QStringLiteral("%1 reordered and %2 repeated, %3 and %4 counted")
            .arg(reordered)
            .arg(repeated)
            .arg(result.reordered)
            .arg(result.repeated);
    return QString();
}

// Whether all records of both stores lie within the 2^31 s a store can hold from its first:
// then neither read left out a row for its time, and the two must agree.
inline bool withinOneReach(const SampleStore& a, const SampleStore& b) {
    qint64 low = std::numeric_limits<qint64>::max();
    qint64 high = std::numeric_limits<qint64>::min();
    for (const SampleStore* store : {&a, &b}) {
        for (int i = 0; i < store->size(); ++i) {
            low = std::min(low, store->timeAt(i));
            high = std::max(high, store->timeAt(i));
        }
    }
    return high - low <= std::numeric_limits<qint32>::max();
}

// Reads bytes and its lines in reverse order: both must keep every record's line; rows do
// not depend on one another, so unless a row was left out for its time (which depends on
// the first row) the reverse file gives the same records, those of one second reversed.
inline QString violation(const QByteArray& bytes) {
    // A store that must stay as it is when the file holds no record.
    SampleStore before;
    before.append(1, {-1, -2, -3, -4, -5, -6, -7, -8});
    SampleStore whole = before;
    const CsvReadResult all = readBytes(bytes, whole);
    if (all.status != CsvReadResult::Ok && all.status != CsvReadResult::NoRecords)
        return QStringLiteral("status %1 for a small readable file").arg(all.status);
    if (all.status == CsvReadResult::NoRecords)
        return all.records == 0 && whole.size() == 1 && sameRecord(whole, 0, before, 0)
                   ? recordsViolation(linesOf(bytes), whole, all)
                   : QStringLiteral("no records reported, yet the store changed");
    if (all.records != whole.size())
        return QStringLiteral("%1 records reported, %2 read").arg(all.records).arg(whole.size());
    const QList<QByteArray> lines = linesOf(bytes);
    QString wrong = recordsViolation(lines, whole, all);
    if (!wrong.isEmpty())
        return wrong;

    QList<QByteArray> reversedLines;
    QByteArray reversed;
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        reversedLines << *line;
        reversed += *line + '\n';
    }
    SampleStore backwards;
    const CsvReadResult back = readBytes(reversed, backwards);
    wrong = recordsViolation(reversedLines, backwards, back);
    if (!wrong.isEmpty() || !withinOneReach(whole, backwards))
        return wrong.isEmpty() ? QString() : QStringLiteral("lines reversed: ") + wrong;
    if (back.records != all.records || back.skipped != all.skipped)
        return QStringLiteral("lines reversed: %1 records, %2 skipped, not %3, %4")
            .arg(back.records)
            .arg(back.skipped)
            .arg(all.records)
            .arg(all.skipped);
    for (int first = 0, end = 0; first < all.records; first = end) {
        while (end < all.records && whole.timeAt(end) == whole.timeAt(first))
            ++end;
        for (int i = first; i < end; ++i) {
            if (!sameRecord(whole, i, backwards, first + end - 1 - i))
                return QStringLiteral("record %1 differs with the lines reversed").arg(i);
        }
    }
    return QString();
}

} // namespace CsvReadCheck
