// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"
#include "TestZone.h"
#include "saveDataDeal.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include <sys/resource.h>

namespace {

const QByteArray goodRow = "2024-03-05_14:07:09,5.100000,0.600000,3.060000,0.600,0.000,1.650,"
                           "0.000,36.5\r\n";

} // namespace

class CsvReaderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useBerlinTime(); }

    // Two runs appended to one file, across a change to summer time: every record comes
    // back at its second, the gap stays, and writing the result again gives the same bytes.
    void aWrittenFileOpensAsTheSameRecords() {
        SampleStore first, second;
        const qint64 t1 = localSecs(2024, 3, 31, 1, 59, 0), t2 = localSecs(2024, 4, 2, 8, 0, 0);
        for (int i = 0; i < 180; ++i) {
            const float f = float(i);
            first.append(t1 + i, {5 + f / 7, f / 13, -f / 3, 0.6f, f, 1.65f, std::nanf(""), 36.5f});
            second.append(t2 + i, {f, f, f, f, f, f, f, f});
        }
        const QString path = file("runs.csv");
        QVERIFY(saveDataDeal::saveData(first, path).ok);
        QVERIFY(saveDataDeal::saveData(second, path).ok);

        SampleStore opened;
        CsvReadResult result;
        {
            // A buffer sized by the 512 MiB limit rather than by the file fails to allocate.
            const AddressSpaceLimit limit(128 << 20);
            result = CsvReader::read(path, opened);
        }
        checkOpened(result, opened, 360, 0);
        const QString again = file("again.csv");
        QVERIFY(saveDataDeal::saveData(opened, again).ok);
        QCOMPARE(bytes(again), bytes(path));
    }

    void linesThatDoNotParseAreSkippedAndCounted_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("missing field") << QByteArray("2024-03-05_14:07:10,1,2,3,4,5,6,7\r\n");
        QTest::newRow("extra field") << QByteArray("2024-03-05_14:07:10,1,2,3,4,5,6,7,8,9\r\n");
        QTest::newRow("trailing comma") << QByteArray("2024-03-05_14:07:10,1,2,3,4,5,6,7,8,\r\n");
        QTest::newRow("empty field") << QByteArray("2024-03-05_14:07:10,1,2,,4,5,6,7,8\r\n");
        QTest::newRow("not a number") << QByteArray("2024-03-05_14:07:10,1,2,x,4,5,6,7,8\r\n");
        QTest::newRow("number and text") << QByteArray("2024-03-05_14:07:10,1,2,3v,4,5,6,7,8\n");
        QTest::newRow("second 60") << QByteArray("2024-03-05_14:07:60,1,2,3,4,5,6,7,8\r\n");
        QTest::newRow("space for underscore")
            << QByteArray("2024-03-05 14:07:10,1,2,3,4,5,6,7,8\r\n");
        QTest::newRow("short date") << QByteArray("24-03-05_14:07:10,1,2,3,4,5,6,7,8\r\n");
        // Found by fuzzing: a row dated 4048 after a 2024 one came back dated 2006.
        QTest::newRow("too far in time from the first")
            << QByteArray("4048-03-05_14:07:58,1,2,3,4,5,6,7,8\r\n");
    }

    void linesThatDoNotParseAreSkippedAndCounted() {
        QFETCH(QByteArray, line);
        const QString path = file("mixed.csv");
        write(path, saveDataDeal::header() + goodRow + line + line + "\r\n" + goodRow);
        SampleStore opened;
        checkOpened(CsvReader::read(path, opened), opened, 2, 2);
        QCOMPARE(opened.value(CPU_TEMP, 1), 36.5f);
    }

    void aFileAboveTheLimitIsRefusedUnread() {
        const QString path = file("huge.csv");
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(CsvReader::maxFileBytes + 1)); // sparse: no disk used
        huge.close();
        SampleStore kept;
        kept.append(1, {});
        const CsvReadResult result = CsvReader::read(path, kept);
        QCOMPARE(result.status, CsvReadResult::TooLarge);
        QCOMPARE(kept.size(), 1);
    }

private:
    // Lets the process's address space grow by at most `bytes` while it lives.
    class AddressSpaceLimit {
    public:
        explicit AddressSpaceLimit(qint64 bytes) {
            getrlimit(RLIMIT_AS, &saved);
            rlimit limit = saved;
            limit.rlim_cur = rlim_t(addressSpaceBytes() + bytes);
            setrlimit(RLIMIT_AS, &limit);
        }
        ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved); }

    private:
        static qint64 addressSpaceBytes() {
            QFile status("/proc/self/status");
            status.open(QIODevice::ReadOnly);
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmSize:"))
                    return line.mid(7).trimmed().split(' ').first().toLongLong() * 1024;
            }
            return 0;
        }
        rlimit saved{};
    };

    static void checkOpened(const CsvReadResult& result, const SampleStore& opened, int records,
                            int skipped) {
        QCOMPARE(result.status, CsvReadResult::Ok);
        QCOMPARE(result.records, records);
        QCOMPARE(result.skipped, skipped);
        QCOMPARE(opened.size(), records);
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    static void write(const QString& path, const QByteArray& content) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(out.write(content), qint64(content.size()));
    }
    static QByteArray bytes(const QString& path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(CsvReaderTest)
#include "test_csv_reader.moc"
