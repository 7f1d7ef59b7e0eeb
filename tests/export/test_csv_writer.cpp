// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvExpected.h"
#include "FileSizeLimit.h"
#include "TestZone.h"
#include "saveDataDeal.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using CsvExpected::headerBytes;

qint64 localSecs(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s)).toSecsSinceEpoch();
}

void writeNotes(const QString& path) {
    QFile notes(path);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("my notes\n");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Floats of every kind: special values, halfway cases of each decimal count, values of
// every magnitude and sign, and random bit patterns (NaNs, infinities, subnormals).
QVector<float> awkwardFloats() {
    QVector<float> values{0.0f,
                          -0.0f,
                          4294.967f,
                          5.1f,
                          36.5f,
                          0.6f,
                          36.25f,
                          -36.25f,
                          0.0625f,
                          -0.0625f,
                          0.125f,
                          0.0078125f,
                          -0.00049f,
                          -1e-9f,
                          1e-9f,
                          99.95f,
                          0.0005f,
                          1e30f,
                          -3.4e38f,
                          std::nanf(""),
                          -std::nanf(""),
                          std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::denorm_min()};
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
    void init() { QVERIFY(dir.isValid()); }

    void threeRecordsGiveTheExactFile() {
        SampleStore log;
        const qint64 t = localSecs(2024, 3, 5, 14, 7, 9);
        log.append(t, {5.1f, 0.6f, 3.06f, 0.6f, 0.0f, 1.65f, 0.0f, 36.5f});
        log.append(t + 1, {5.0f, 1.234567f, 6.17f, 2.7f, 2.7f, 0.0f, 0.1f, 36.6f});
        log.append(t + 2, {9.001f, 2.0f, 18.0f, 0.0f, 0.0f, 0.0f, 0.0f, 40.0f});
        const QString path = dir.filePath("three.csv");
        QVERIFY(saveDataDeal::saveData(log, path).ok);
        const QByteArray expected =
            headerBytes +
            "2024-03-05_14:07:09,5.100000,0.600000,3.060000,0.600,0.000,1.650,0.000,36.5\r\n"
            "2024-03-05_14:07:10,5.000000,1.234567,6.170000,2.700,2.700,0.000,0.100,36.6\r\n"
            "2024-03-05_14:07:11,9.001000,2.000000,18.000000,0.000,0.000,0.000,0.000,40.0\r\n";
        QCOMPARE(readAll(path), expected);
    }

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

    void aFileThatIsNotOursIsAppendedTo() {
        const QString path = dir.filePath("notes.txt");
        writeNotes(path);
        SampleStore log;
        log.append(localSecs(2024, 3, 5, 14, 7, 9), {});
        QVERIFY(saveDataDeal::saveData(log, path).ok);
        QCOMPARE(readAll(path), QByteArray("my notes\n2024-03-05_14:07:09,0.000000,0.000000,"
                                           "0.000000,0.000,0.000,0.000,0.000,0.0\r\n"));
    }

    void aFailedWriteIsReportedAndLeavesNothingBehind() {
        SampleStore log;
        log.append(localSecs(2024, 3, 5, 14, 7, 9), {});
        const QString missingFolder = dir.filePath("no/such/folder/x.csv");
        const CsvWriteResult missing = saveDataDeal::saveData(log, missingFolder);
        QVERIFY(!missing.ok);
        QVERIFY(!missing.error.isEmpty());
        QVERIFY(!QFile::exists(missingFolder));

        const QString readOnly = dir.filePath("locked.csv");
        QVERIFY(saveDataDeal::saveData(log, readOnly).ok);
        const QByteArray before = readAll(readOnly);
        QFile::setPermissions(readOnly, QFile::ReadOwner);
        if (QFile(readOnly).open(QIODevice::WriteOnly | QIODevice::Append))
            QSKIP("running with the right to write read-only files");
        const CsvWriteResult locked = saveDataDeal::saveData(log, readOnly);
        QVERIFY(!locked.ok);
        QVERIFY(!locked.error.isEmpty());
        QCOMPARE(readAll(readOnly), before);
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
        if (!QFile::exists("/dev/full"))
            QSKIP("no /dev/full here");
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
