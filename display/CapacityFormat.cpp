// SPDX-License-Identifier: GPL-3.0-or-later
#include "CapacityFormat.h"

#include <algorithm>

namespace {

constexpr qint64 msPerSec = 1000;
constexpr qint64 secsPerMinute = 60;
constexpr qint64 secsPerHour = 3600;

} // namespace

QString formatCharge(double milliampHours) {
    return QString::number(milliampHours, 'f', 1);
}

QString formatEnergy(double wattHours) {
    return QString::number(wattHours, 'f', 3);
}

QString formatQuantity(double value) {
    return QString::number(value, 'f', 3);
}

QString formatElapsed(qint64 elapsedMs) {
    const qint64 secs = std::max<qint64>(elapsedMs, 0) / msPerSec;
    return QStringLiteral("%1:%2:%3")
        .arg(secs / secsPerHour, 2, 10, QLatin1Char('0'))
        .arg(secs % secsPerHour / secsPerMinute, 2, 10, QLatin1Char('0'))
        .arg(secs % secsPerMinute, 2, 10, QLatin1Char('0'));
}
