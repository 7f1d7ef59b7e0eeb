#include "CsvTimestamp.h"

#include "CsvLayout.h"

#include <QDateTime>

#include <algorithm>

namespace {
constexpr int lastSecond = 59;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

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
    text = QDateTime::fromSecsSinceEpoch(epochSecs)
               .toString(QLatin1String(CsvLayout::timestampFormat))
               .toStdString();
    textSecs = epochSecs;
    const size_t n = text.size();
    if (n >= 2 && isDigit(text[n - 2]) && isDigit(text[n - 1]))
        second = (text[n - 2] - '0') * 10 + (text[n - 1] - '0');
    else
        second = noSecondsDigits;
}
