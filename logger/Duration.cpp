// SPDX-License-Identifier: GPL-3.0-or-later
#include "Duration.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace {
constexpr qint64 minute = 60;
constexpr qint64 hour = 60 * minute;
constexpr qint64 day = 24 * hour;
// A century: beyond any run, and far from overflowing milliseconds.
constexpr qint64 longestSecs = 100 * 366 * day;

qint64 unitSecs(const QString& unit) {
    if (unit == QLatin1String("m"))
        return minute;
    if (unit == QLatin1String("h"))
        return hour;
    if (unit == QLatin1String("d"))
        return day;
    return 1;
}
} // namespace

std::optional<qint64> parseDurationSecs(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,12})([smhd]?)$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 count = match.captured(1).toLongLong();
    const qint64 unit = unitSecs(match.captured(2));
    if (count <= 0 || count > longestSecs / unit)
        return std::nullopt;
    return count * unit;
}

int timerMs(qint64 secs) {
    constexpr qint64 msPerSec = 1000;
    return static_cast<int>(std::min<qint64>(secs, std::numeric_limits<int>::max() / msPerSec) *
                            msPerSec);
}

QString formatDuration(qint64 secs) {
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(secs % day / hour, 2, 10, QLatin1Char('0'))
                              .arg(secs % hour / minute, 2, 10, QLatin1Char('0'))
                              .arg(secs % minute, 2, 10, QLatin1Char('0'));
    if (secs < day)
        return clock.mid(clock.startsWith(QLatin1Char('0')) ? 1 : 0);
    return QStringLiteral("%1d %2").arg(secs / day).arg(clock);
}
