// SPDX-License-Identifier: GPL-3.0-or-later
#include "saveDataDeal.h"

#include "CsvLayout.h"
#include "CsvRowFormatter.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

#include <vector>

namespace {

// Rows are formatted into a buffer of this size and written a buffer at a time.
constexpr size_t chunkBytes = 1 << 20;

class ChunkedFile {
public:
    explicit ChunkedFile(QFile& file) : file(file), buffer(chunkBytes) {}

    char* cursor() { return buffer.data() + used; }
    void advance(char* end) { used = static_cast<size_t>(end - buffer.data()); }
    bool hasRoomForRow() const { return chunkBytes - used >= CsvRowFormatter::maxRowBytes; }
    bool append(const QByteArray& bytes) { return flush() && file.write(bytes) == bytes.size(); }
    bool flush() {
        const auto n = static_cast<qint64>(used);
        used = 0;
        return n == 0 || file.write(buffer.data(), n) == n;
    }

private:
    QFile& file;
    std::vector<char> buffer;
    size_t used = 0;
};

bool writeRows(const SampleStore& log, RecordSpan records, ChunkedFile& out) {
    CsvRowFormatter rows;
    for (int i = records.first; i < records.last; ++i) {
        if (!out.hasRoomForRow() && !out.flush())
            return false;
        out.advance(rows.writeRow(out.cursor(), log.timeAt(i), log.record(i)));
    }
    return out.flush();
}

} // namespace

QByteArray saveDataDeal::header() {
    QString text;
    for (const char* piece : CsvLayout::headerPieces)
        text += QCoreApplication::translate(CsvLayout::translationContext, piece);
    text.replace(QLatin1Char('\n'), QLatin1String(CsvLayout::lineEnd));
    return text.toUtf8();
}

CsvWriteResult saveDataDeal::saveData(const SampleStore& log, const QString& fileName) {
    return saveData(log, fileName, {0, log.size()});
}

CsvWriteResult saveDataDeal::saveData(const SampleStore& log, const QString& fileName,
                                      RecordSpan records) {
    records.first = std::max(records.first, 0);
    records.last = std::min(records.last, log.size());
    QFile file(fileName);
    const bool isNew = !file.exists();
    // Unbuffered: the chunks are our buffer, and a failing write must fail where we see it.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return {false, file.errorString()};
    const qint64 oldSize = file.size();
    ChunkedFile out(file);
    bool ok = (!isNew || out.append(header())) && writeRows(log, records, out);
    QString error = ok ? QString() : file.errorString();
    file.close();
    if (ok && file.error() != QFileDevice::NoError) {
        ok = false;
        error = file.errorString();
    }
    if (!ok) {
        if (isNew)
            file.remove();
        else
            file.resize(oldSize);
    }
    return {ok, error};
}
