// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <string>

// The local-time text of a record's seconds, the same text that
// QDateTime::fromSecsSinceEpoch(secs).toString("yyyy-MM-dd_hh:mm:ss") gives. Records are
// almost always one second apart, so only the seconds digits change from one to the next;
// the local-time conversion runs once a minute and after any jump.
class CsvTimestamp {
public:
    // Reads the time zone once, as QDateTime does before each conversion.
    CsvTimestamp();

    // Writes the text of epochSecs at out and returns its end.
    char* write(char* out, qint64 epochSecs);

private:
    void convert(qint64 epochSecs);
    bool convertFast(qint64 epochSecs);

    static constexpr int noSecondsDigits = -1;
    std::string text;
    qint64 textSecs = 0;
    // The seconds field of `text`, or noSecondsDigits when the text does not end in two
    // digits (then every call converts afresh).
    int second = noSecondsDigits;
};
