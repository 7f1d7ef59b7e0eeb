// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>

#include <ctime>

// Local time of the test process: a zone with daylight saving, so the hour changes of
// spring and autumn are part of what the tests see, whatever zone the machine is in.
inline void useBerlinTime() {
    qputenv("TZ", QByteArray("Europe/Berlin"));
    tzset();
}

inline qint64 localSecs(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s)).toSecsSinceEpoch();
}
