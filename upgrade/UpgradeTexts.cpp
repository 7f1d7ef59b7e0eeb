// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpgradeTexts.h"

namespace {

constexpr qint64 bytesPerKilobyte = 1024;

} // namespace

QString firmwareSizeText(qint64 bytes) {
    const QString exact = QString::number(bytes) + QStringLiteral("字节");
    if (bytes <= bytesPerKilobyte)
        return QStringLiteral("固件大小:") + exact;
    const double kilobytes = static_cast<double>(bytes) / bytesPerKilobyte;
    return QStringLiteral("固件大小:") + QString::number(kilobytes, 'f', 1) +
           QStringLiteral("KB   ") + exact;
}

QString transferSpeedText(qint64 bytes, qint64 seconds) {
    const bool underASecond = seconds < 1;
    const qint64 speed = underASecond ? bytes : bytes / seconds;
    const QString prefix = underASecond ? QStringLiteral("≥") : QString();
    if (speed > bytesPerKilobyte)
        return prefix + QString::number(static_cast<double>(speed) / bytesPerKilobyte, 'f', 2) +
               QStringLiteral("KB/秒");
    return prefix + QString::number(speed) + QStringLiteral("字节/秒");
}
