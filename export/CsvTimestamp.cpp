// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvTimestamp.h"

#include "CsvLayout.h"

#include <QDateTime>

#include <algorithm>
#include <ctime>
#include <limits>

namespace {

constexpr int lastSecond = 59;
constexpr int tmYearBase = 1900;
constexpr int largestYear = 9999;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// `value` as exactly `count` digits, zero-padded.
void writeDigits(char* out, int count, int value) {
    for (int i = count - 1; i >= 0; --i, value /= 10)
        out[i] = static_cast<char>('0' + value % 10);
}

bool toLocal(qint64 epochSecs, std::tm& local) {
    const auto t = static_cast<std::time_t>(epochSecs);
#if defined(Q_OS_WIN)
    return localtime_s(&local, &t) == 0;
#else
    return localtime_r(&t, &local) != nullptr;
#endif
}

} // namespace

CsvTimestamp::CsvTimestamp() {
#if defined(Q_OS_WIN)
    _tzset();
#else
    tzset();
#endif
}

char* CsvTimestamp::write(char* out, qint64 epochSecs) {
    // A zone change (daylight saving) happens on a whole local minute, where the seconds
    // roll over and the text is converted afresh anyway.
    if (second != noSecondsDigits && epochSecs == textSecs + 1 && second < lastSecond) {
        ++second;
        text[text.size() - 2] = static_cast<char>('0' + second / 10);
        text[text.size() - 1] = static_cast<char>('0' + second % 10);
        textSecs = epochSecs;
    } else if (second == noSecondsDigits || epochSecs != textSecs) {
        convert(epochSecs);
    }
    return std::copy(text.begin(), text.end(), out);
}

void CsvTimestamp::convert(qint64 epochSecs) {
    textSecs = epochSecs;
    if (convertFast(epochSecs))
        return;
    text = QDateTime::fromSecsSinceEpoch(epochSecs)
               .toString(QLatin1String(CsvLayout::timestampFormat))
               .toStdString();
    const size_t n = text.size();
    if (n >= 2 && isDigit(text[n - 2]) && isDigit(text[n - 1]))
        second = (text[n - 2] - '0') * 10 + (text[n - 1] - '0');
    else
        second = noSecondsDigits;
}

// Between 1970 and 2038 QDateTime takes local time from the C library's conversion, which
// costs a fraction of QDateTime's own: the same fields, formatted here. Other times, and
// leap seconds, go through QDateTime.
bool CsvTimestamp::convertFast(qint64 epochSecs) {
    std::tm local{};
    if (epochSecs < 0 || epochSecs > std::numeric_limits<qint32>::max() ||
        !toLocal(epochSecs, local) || local.tm_sec > lastSecond ||
        local.tm_year + tmYearBase > largestYear || local.tm_year + tmYearBase < 0)
        return false;
    text.assign("0000-00-00_00:00:00");
    writeDigits(&text[0], 4, local.tm_year + tmYearBase);
    writeDigits(&text[5], 2, local.tm_mon + 1);
    writeDigits(&text[8], 2, local.tm_mday);
    writeDigits(&text[11], 2, local.tm_hour);
    writeDigits(&text[14], 2, local.tm_min);
    writeDigits(&text[17], 2, local.tm_sec);
    second = local.tm_sec;
    return true;
}
