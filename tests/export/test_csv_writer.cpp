// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvExpected.h"
#include "FileSizeLimit.h"
#include "TestZone.h"
#include "saveDataDeal.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <limits>

namespace {

using CsvExpected::headerBytes;

void writeNotes(const QString& path) {
    QFile notes(path);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("my notes\n");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Zeros of both signs, infinities, and random bit patterns (NaNs, subnormals, values of
// every magnitude and sign), dyadic fractions (halfway cases of each decimal count) and
// values of a meter's range.
QVector<float> awkwardFloats() {
    const float inf = std::numeric_limits<float>::infinity();
    QVector<float> values{0.0f, -0.0f, inf, -inf};
    QRandomGenerator random(20240305);
    for (int i = 0; i < 3000; ++i) {
        const quint32 bits = random.generate();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        values << f << float(random.bounded(-200000, 200000)) / float(1 << random.bounded(1, 12))
               << float(random.generateDouble() * 30.0 - 5.0);
    }
    return values;
}

} // namespace

class CsvWriterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useBerlinTime(); }

    void rowsMatchQtsOwnFormattingByteForByte() {
        const QVector<float> floats = awkwardFloats();
        SampleStore log;
        // Seconds across both daylight-saving changes of 2024, with jumps both ways.
        QVector<qint64> times;
        for (qint64 t = localSecs(2024, 3, 31, 1, 58, 30); times.size() < 300; ++t)
            times << t;
        for (qint64 t = localSecs(2024, 10, 27, 1, 58, 50); times.size() < 8000; ++t)
            times << t;
        times << times.first() << times.first() + 61 << times.first() + 3600 * 24 * 400;
        // Before 1970, across the end of 32-bit time, and far ahead.
        times << -86400 * 365 << 2147483646 << 2147483647 << 2147483648 << 2840140800;
        QByteArray expected = headerBytes;
        for (int i = 0; i < times.size(); ++i) {
            SampleStore::Values v;
            for (int k = 0; k < recordedChannelCount; ++k)
                v[k] = floats[(i * recordedChannelCount + k) % floats.size()];
            log.append(times[i], v);
            expected += CsvExpected::row(times[i], v);
        }
        const QString path = dir.filePath("awkward.csv");
        QVERIFY(saveDataDeal::saveData(log, path).ok);
        const QList<QByteArray> got = readAll(path).split('\n');
        const QList<QByteArray> want = expected.split('\n');
        QCOMPARE(got.size(), want.size());
        for (int i = 0; i < want.size(); ++i)
            QCOMPARE(got[i], want[i]);
    }

    void anEmptyLogWritesTheHeaderOnly() {
        const QString path = dir.filePath("empty.csv");
        QVERIFY(saveDataDeal::saveData(SampleStore(), path).ok);
        QCOMPARE(readAll(path), headerBytes);
    }

    void aFailedWriteIsReportedAndLeavesNothingBehind() {
        SampleStore log;
        log.append(localSecs(2024, 3, 5, 14, 7, 9), {});
        const QString missingFolder = dir.filePath("no/such/folder/x.csv");
        const CsvWriteResult missing = saveDataDeal::saveData(log, missingFolder);
        QVERIFY(!missing.ok);
        QVERIFY(!missing.error.isEmpty());
        QVERIFY(!QFile::exists(missingFolder));
    }

    void aWriteCutShortIsUndone() {
        const QString existing = dir.filePath("notes.txt"), fresh = dir.filePath("fresh.csv");
        writeNotes(existing);
        SampleStore log;
        for (int i = 0; i < 5000; ++i) // about 300 kB of rows
            log.append(1700000000 + i, {5.1f, 1, 2, 3, 4, 5, 6, 7});
        CsvWriteResult appended, created;
        {
            FileSizeLimit limit(64 * 1024);
            appended = saveDataDeal::saveData(log, existing);
            created = saveDataDeal::saveData(log, fresh);
        }
        QVERIFY(!appended.ok);
        QVERIFY(!appended.error.isEmpty());
        QCOMPARE(readAll(existing), QByteArray("my notes\n"));
        QVERIFY(!created.ok);
        QVERIFY(!QFile::exists(fresh));
    }

    void aFullDiskIsReported() {
        SampleStore log;
        for (int i = 0; i < 100; ++i)
            log.append(1700000000 + i, {});
        const CsvWriteResult full = saveDataDeal::saveData(log, "/dev/full");
        QVERIFY(!full.ok);
        QVERIFY(!full.error.isEmpty());
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(CsvWriterTest)
#include "test_csv_writer.moc"
