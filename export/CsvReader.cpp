// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"

#include "CsvLayout.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace {

// Bytes per row of a typical file, to reserve the store once.
constexpr qint64 typicalRowBytes = 75;
// The end of a file searched for its last record: many rows, should a few not parse.
constexpr qint64 tailBytes = 64 * 1024;

// Turns "yyyy-MM-dd_hh:mm:ss" local time into seconds since the epoch. The slow local-time
// conversion runs once per minute of records: the next rows share its first 17 characters.
class LocalTimeParser {
public:
    bool parse(const char* text, qint64& epochSecs) {
        using namespace CsvLayout;
        int second = 0;
        if (!number(text + minutePrefixLength, 2, second) || second > 59)
            return false;
        if (!cachedMinute || std::memcmp(text, minute, minutePrefixLength) != 0) {
            if (!convertMinute(text))
                return false;
        }
        epochSecs = minuteSecs + second;
        return true;
    }

private:
    static bool number(const char* at, int digits, int& value) {
        for (int i = 0; i < digits; ++i) {
            if (at[i] < '0' || at[i] > '9')
                return false;
        }
        return std::from_chars(at, at + digits, value).ptr == at + digits;
    }

    bool convertMinute(const char* text) {
        int year, month, day, hour, min;
        const bool shaped = number(text, 4, year) && text[4] == '-' && number(text + 5, 2, month) &&
                            text[7] == '-' && number(text + 8, 2, day) && text[10] == '_' &&
                            number(text + 11, 2, hour) && text[13] == ':' &&
                            number(text + 14, 2, min) && text[16] == ':';
        // The fields after the first that failed were never read: no date from them.
        if (!shaped)
            return false;
        const QDate date(year, month, day);
        const QTime time(hour, min);
        if (!date.isValid() || !time.isValid())
            return false;
        minuteSecs = QDateTime(date, time).toSecsSinceEpoch();
        std::memcpy(minute, text, CsvLayout::minutePrefixLength);
        cachedMinute = true;
        return true;
    }

    char minute[CsvLayout::minutePrefixLength] = {};
    bool cachedMinute = false;
    qint64 minuteSecs = 0;
};

class RowParser {
public:
    // One line without its line end.
    bool parse(const char* begin, const char* end, qint64& epochSecs, SampleStore::Values& values) {
        if (end - begin <= CsvLayout::timestampLength ||
            begin[CsvLayout::timestampLength] != CsvLayout::separator ||
            !time.parse(begin, epochSecs))
            return false;
        const char* at = begin + CsvLayout::timestampLength + 1;
        for (size_t k = 0; k < values.size(); ++k) {
            const auto [stop, error] = std::from_chars(at, end, values[k]);
            const bool last = k + 1 == values.size();
            if (error != std::errc() || stop == at ||
                (last ? stop != end : stop == end || *stop != CsvLayout::separator))
                return false;
            at = stop + 1;
        }
        return true;
    }

private:
    LocalTimeParser time;
};

bool isHeaderOrBlank(const char* begin, const char* end) {
    static constexpr char columnTitles[] = "DATE,";
    const auto n = static_cast<size_t>(end - begin);
    return n == 0 || *begin == '-' ||
           (n >= sizeof(columnTitles) - 1 &&
            std::memcmp(begin, columnTitles, sizeof(columnTitles) - 1) == 0);
}

// The line ending at `end` (exclusive, without its line end) begins after the previous
// '\n' or at `data`.
const char* lineStart(const char* data, const char* end) {
    while (end > data && end[-1] != '\n')
        --end;
    return end;
}

void parseAll(const char* data, qint64 size, SampleStore& store, CsvReadResult& result) {
    RowParser rows;
    SampleStore::Values values{};
    qint64 secs = 0;
    const char* const stop = data + size;
    for (const char* line = data; line < stop;) {
        const char* next = static_cast<const char*>(std::memchr(line, '\n', stop - line));
        const char* end = next ? next : stop;
        const char* content = (end > line && end[-1] == '\r') ? end - 1 : end;
        // A row too far in time from the first for the store to hold is skipped as well.
        if (rows.parse(line, content, secs, values)) {
            if (!store.append(secs, values))
                ++result.skipped;
        } else if (!isHeaderOrBlank(line, content)) {
            ++result.skipped;
        }
        line = end + 1;
    }
    result.records = store.size();
}

// Opened without waiting (a FIFO would wait for a writer) and kept only if it is a
// regular file, judged on the open handle so the path cannot change in between.
CsvReadResult::Status openRegularFile(const QString& fileName, QFile& file, QString& error) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = qt_error_string(errno);
        return CsvReadResult::CannotOpen;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return CsvReadResult::NotAFile;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = file.errorString();
        return CsvReadResult::CannotOpen;
    }
#else
    file.setFileName(fileName);
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        return CsvReadResult::NotAFile;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return CsvReadResult::CannotOpen;
    }
#endif
    return CsvReadResult::Ok;
}

// Records in time order, those of one second kept in file order. Records that came after
// a later one in the file are counted among those kept.
void putInTimeOrder(SampleStore& store, CsvReadResult& result) {
    const auto time = [&store](int i) { return store.timeAt(i); };
    int firstOutOfOrder = 1;
    while (firstOutOfOrder < store.size() && time(firstOutOfOrder) >= time(firstOutOfOrder - 1))
        ++firstOutOfOrder;
    if (firstOutOfOrder < store.size()) {
        std::vector<int> order(static_cast<size_t>(store.size()));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return time(a) < time(b); });
        SampleStore sorted;
        sorted.reserve(store.size());
        std::vector<bool> kept(order.size());
        for (int i : order) {
            // Two rows each within reach of the first row may be too far apart to be held
            // together: the later is left out.
            kept[static_cast<size_t>(i)] = sorted.append(time(i), store.record(i));
            result.skipped += kept[static_cast<size_t>(i)] ? 0 : 1;
        }
        qint64 latest = std::numeric_limits<qint64>::min();
        for (int i = 0; i < store.size(); ++i) {
            if (!kept[static_cast<size_t>(i)])
                continue;
            result.reordered += time(i) < latest ? 1 : 0;
            latest = std::max(latest, time(i));
        }
        store = std::move(sorted);
    }
    for (int i = 1; i < store.size(); ++i)
        result.repeated += store.timeAt(i) == store.timeAt(i - 1) ? 1 : 0;
    result.records = store.size();
}

} // namespace

CsvReadResult CsvReader::read(const QString& fileName, SampleStore& into) {
    CsvReadResult result;
    QFile file;
    result.status = openRegularFile(fileName, file, result.error);
    if (result.status != CsvReadResult::Ok)
        return result;
    const qint64 size = file.size();
    if (size > maxFileBytes) {
        result.status = CsvReadResult::TooLarge;
        return result;
    }
    // Mapped when the system allows it: no copy of the file in memory. Either way no
    // byte beyond the size it had when opened is read.
    QByteArray copy;
    const char* data = size > 0 ? reinterpret_cast<const char*>(file.map(0, size)) : nullptr;
    qint64 length = size;
    if (!data) {
        copy = file.read(size);
        data = copy.constData();
        length = copy.size();
    }
    SampleStore store;
    store.reserve(static_cast<int>(length / typicalRowBytes));
    parseAll(data, length, store, result);
    if (result.records == 0) {
        result.status = CsvReadResult::NoRecords;
        return result;
    }
    putInTimeOrder(store, result);
    into = std::move(store);
    return result;
}

// Only the end is read: a file of days of records is asked about on every export to it.
bool CsvReader::lastRecordTime(const QString& fileName, qint64& epochSecs) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.seek(std::max<qint64>(0, file.size() - tailBytes));
    const QByteArray tail = file.read(tailBytes);
    RowParser rows;
    SampleStore::Values values{};
    const char* const data = tail.constData();
    for (const char* end = data + tail.size(); end > data;) {
        const char* begin = lineStart(data, end);
        const char* content = (end > begin && end[-1] == '\r') ? end - 1 : end;
        if (rows.parse(begin, content, epochSecs, values))
            return true;
        end = begin > data ? begin - 1 : data;
    }
    return false;
}
