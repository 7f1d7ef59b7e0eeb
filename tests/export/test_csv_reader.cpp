// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"
#include "TestZone.h"
#include "saveDataDeal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <cmath>
#include <future>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

qint64 localSecs(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s)).toSecsSinceEpoch();
}

constexpr int someLines = -1;

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
        SampleStore first, second, both;
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
        checkOpened(CsvReader::read(path, opened), opened, 360, 0);
        for (int i = 0; i < 180; ++i) {
            QCOMPARE(opened.timeAt(i), t1 + i);
            QCOMPARE(opened.timeAt(180 + i), t2 + i);
        }
        QVERIFY(std::isnan(opened.value(CC2, 7)));
        QCOMPARE(opened.value(VBUS, 0), 5.0f);
        QCOMPARE(opened.lowerBound(t2 - 1), 180);

        const QString again = file("again.csv");
        QVERIFY(saveDataDeal::saveData(opened, again).ok);
        QCOMPARE(bytes(again), saveDataDeal::header() + bytesAfterHeader(path));
    }

    void linesThatDoNotParseAreSkippedAndCounted_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("missing field") << QByteArray("2024-03-05_14:07:10,1,2,3,4,5,6,7\r\n");
        QTest::newRow("extra field") << QByteArray("2024-03-05_14:07:10,1,2,3,4,5,6,7,8,9\r\n");
        QTest::newRow("trailing comma") << QByteArray("2024-03-05_14:07:10,1,2,3,4,5,6,7,8,\r\n");
        QTest::newRow("empty field") << QByteArray("2024-03-05_14:07:10,1,2,,4,5,6,7,8\r\n");
        QTest::newRow("not a number") << QByteArray("2024-03-05_14:07:10,1,2,x,4,5,6,7,8\r\n");
        QTest::newRow("number and text") << QByteArray("2024-03-05_14:07:10,1,2,3v,4,5,6,7,8\n");
        QTest::newRow("no such day") << QByteArray("2024-02-30_14:07:10,1,2,3,4,5,6,7,8\r\n");
        QTest::newRow("second 60") << QByteArray("2024-03-05_14:07:60,1,2,3,4,5,6,7,8\r\n");
        QTest::newRow("space for underscore")
            << QByteArray("2024-03-05 14:07:10,1,2,3,4,5,6,7,8\r\n");
        QTest::newRow("short date") << QByteArray("24-03-05_14:07:10,1,2,3,4,5,6,7,8\r\n");
        QTest::newRow("date only") << QByteArray("2024-03-05_14:07:10\r\n");
        QTest::newRow("text") << QByteArray("hello\r\n");
    }

    void linesThatDoNotParseAreSkippedAndCounted() {
        QFETCH(QByteArray, line);
        const QString path = file("mixed.csv");
        write(path, saveDataDeal::header() + goodRow + line + line + "\r\n" + goodRow);
        SampleStore opened;
        checkOpened(CsvReader::read(path, opened), opened, 2, 2);
        QCOMPARE(opened.value(CPU_TEMP, 1), 36.5f);
    }

    // Found by fuzzing: a row dated 4048 after a 2024 one came back dated 2006.
    void aRowTooFarInTimeFromTheFirstIsSkippedNotMisdated() {
        const QString path = file("far.csv");
        write(path, saveDataDeal::header() + goodRow + "4048-03-05_14:07:58,1,2,3,4,5,6,7,8\r\n" +
                        goodRow);
        SampleStore opened;
        checkOpened(CsvReader::read(path, opened), opened, 2, 1);
        QCOMPARE(opened.timeAt(1), opened.timeAt(0));
    }

    void filesWithoutRecordsFillNothing_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("skipped");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("header only") << saveDataDeal::header() << 0;
        QTest::newRow("header without line end") << saveDataDeal::header().chopped(2) << 0;
        QTest::newRow("nul bytes") << QByteArray(100, '\0') << 1;
        QByteArray noise(1 << 16, Qt::Uninitialized);
        QRandomGenerator random(7);
        for (char& c : noise)
            c = char(random.bounded(256));
        QTest::newRow("random bytes") << noise << someLines;
    }

    void filesWithoutRecordsFillNothing() {
        QFETCH(QByteArray, content);
        QFETCH(int, skipped);
        const QString path = file("none.csv");
        write(path, content);
        SampleStore kept;
        kept.append(1, {});
        const CsvReadResult result = CsvReader::read(path, kept);
        QCOMPARE(result.status, CsvReadResult::NoRecords);
        QCOMPARE(result.records, 0);
        if (skipped == someLines)
            QVERIFY(result.skipped > 0);
        else
            QCOMPARE(result.skipped, skipped);
        QCOMPARE(kept.size(), 1);
    }

    void aLastRowWithoutLineEndIsRead() {
        const QString path = file("cut.csv");
        write(path, saveDataDeal::header() + goodRow.chopped(2));
        SampleStore opened;
        QCOMPARE(CsvReader::read(path, opened).records, 1);
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

    // Only regular files are read, and no more of them than they hold: a FIFO without a
    // writer, a device of endless bytes or a folder are refused at once, and an empty file
    // reserves nothing.
    void onlyRegularFilesAreReadAndNoMoreThanTheyHold_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("status");
        QTest::newRow("empty file") << "empty" << int(CsvReadResult::NoRecords);
        QTest::newRow("FIFO") << "fifo" << int(CsvReadResult::NotAFile);
        QTest::newRow("endless device") << "/dev/zero" << int(CsvReadResult::NotAFile);
        QTest::newRow("folder") << "folder" << int(CsvReadResult::NotAFile);
    }
    void onlyRegularFilesAreReadAndNoMoreThanTheyHold() {
        QFETCH(QString, kind);
        QFETCH(int, status);
        QString path = kind.startsWith('/') ? kind : file(kind);
        if (kind == "empty")
            write(path, QByteArray());
        else if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir(kind));
        // A reader stuck on the FIFO is let go after a while, and the test fails.
        std::promise<void> read;
        bool blocked = false;
        auto watchdog = std::async(std::launch::async, [&, done = read.get_future()] {
            if (done.wait_for(std::chrono::seconds(20)) == std::future_status::ready)
                return;
            blocked = true;
            QFile writer(path);
            writer.open(QIODevice::WriteOnly);
        });
        SampleStore kept;
        kept.append(1, {});
        CsvReadResult result;
        {
            // A buffer sized by the 512 MiB limit rather than by the file fails to allocate.
            const AddressSpaceLimit limit(128 << 20);
            result = CsvReader::read(path, kept);
        }
        read.set_value();
        watchdog.wait();
        QVERIFY(!blocked);
        QCOMPARE(int(result.status), status);
        QCOMPARE(kept.size(), 1);
    }

    void aMissingFileIsReportedWithItsReason() {
        SampleStore opened;
        const CsvReadResult result = CsvReader::read(file("absent.csv"), opened);
        QCOMPARE(result.status, CsvReadResult::CannotOpen);
        QVERIFY(!result.error.isEmpty());
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
    static QByteArray bytesAfterHeader(const QString& path) {
        return bytes(path).mid(saveDataDeal::header().size());
    }

    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(CsvReaderTest)
#include "test_csv_reader.moc"
