// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Durations on the command line: a whole number with an optional unit, s (the default),
// m, h or d: "90", "15m", "8h", "2d". Nothing for anything else, zero or negative.
std::optional<qint64> parseDurationSecs(const QString& text);

// Milliseconds for a QTimer, which takes an int: longer waits (above 24 days) are cut
// to the longest it can time.
int timerMs(qint64 secs);

// "1:02:03", or "2d 01:02:03" from a day on.
QString formatDuration(qint64 secs);
