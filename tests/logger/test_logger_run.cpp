// SPDX-License-Identifier: GPL-3.0-or-later
// usb-meter-log as its user runs it: a child process records simulated meters and the
// test reads what it left on disk and on its outputs.
#include "CsvReader.h"
#include "FileSizeLimit.h"

#include <QtTest>

#include <csignal>
#include <map>
#include <optional>
#include <random>

namespace {

constexpr int runTimeoutMs = 60000;

using Truth = std::map<QString, QList<float>>; // serial -> VBUS of every measurement read

struct Child {
    QProcess process;
    QByteArray err;

    Child(const QStringList& args, const QMap<QString, QString>& env) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (auto it = env.begin(); it != env.end(); ++it)
            e.insert(it.key(), it.value());
        process.setProcessEnvironment(e);
        process.start(QStringLiteral(LOGGER_CHILD), args);
    }
    QByteArray readErr() { return err += process.readAllStandardError(); }
    bool finish() { return process.waitForFinished(runTimeoutMs); }
    void signal(int sig) { ::kill(pid_t(process.processId()), sig); }
};

Truth readTruth(const QString& path) {
    Truth truth;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (const QList<QByteArray> f = line.split('\t'); f.size() == 2)
                truth[QString::fromUtf8(f[0])] << f[1].toFloat();
    return truth;
}

SampleStore readCsv(const QString& path, CsvReadResult* result = nullptr) {
    SampleStore store;
    const CsvReadResult r = CsvReader::read(path, store);
    if (result)
        *result = r;
    return store;
}

QStringList csvFiles(const QTemporaryDir& dir) {
    QStringList names = QDir(dir.path()).entryList({QStringLiteral("*.csv")}, QDir::Files);
    for (QString& name : names)
        name = dir.filePath(name);
    return names;
}

int dataRows(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') - 4 : 0;
}

} // namespace

class LoggerRunTest : public QObject {
    Q_OBJECT
private slots:
    // Two meters, the first unplugged and plugged in again, SIGTERM at a random moment:
    // each file holds exactly what its meter sent while connected, a gap where it was away.
    void twoMetersWithAReplugKeepEverySampleTheyReadAndNothingElse() {
        QTemporaryDir dir;
        const QString truthFile = dir.filePath(QStringLiteral("truth.txt"));
        Child child({"--all", "-o", dir.path()}, {{"LOGGER_SIM_METERS", "2"},
                                                  {"LOGGER_SIM_POLL_MS", "250"},
                                                  {"LOGGER_SIM_TRUTH", truthFile}});
        QTRY_VERIFY_WITH_TIMEOUT(csvFiles(dir).size() == 2, runTimeoutMs);
        const QString second = csvFiles(dir).filter("0123456790").value(0);
        child.process.write("garbage 1\nunplug 0\n");
        QTRY_VERIFY_WITH_TIMEOUT(child.readErr().contains("unplugged"), runTimeoutMs);
        // Away while the other meter records 16 polls, 4 s.
        const int rowsBefore = dataRows(second);
        QTRY_VERIFY_WITH_TIMEOUT(dataRows(second) >= rowsBefore + 16, runTimeoutMs);
        child.process.write("replug 0\n");
        QTRY_VERIFY_WITH_TIMEOUT(child.readErr().contains("plugged in again"), runTimeoutMs);
        std::mt19937 random(std::random_device{}());
        const int termAfterMs = std::uniform_int_distribution<int>(300, 1500)(random);
        qInfo("SIGTERM %d ms after the replug", termAfterMs); // to replay a failure
        QTest::qWait(termAfterMs);
        child.signal(SIGTERM);
        QVERIFY(child.finish());
        QCOMPARE(child.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.process.exitCode(), 0);
        const QByteArray err = child.readErr();
        QVERIFY2(err.count("samples over") == 2, err);
        QVERIFY2(err.contains("1 reports not understood"), err);

        const Truth truth = readTruth(truthFile);
        QCOMPARE(int(truth.size()), 2);
        for (const QString& file : csvFiles(dir)) {
            const QString serial = file.contains("0123456789") ? "0123456789" : "0123456790";
            const SampleStore store = readCsv(file);
            QList<float> recorded;
            qint64 longestGap = 0;
            for (int i = 0; i < store.size(); ++i) {
                recorded << store.value(VBUS, i);
                if (i > 0)
                    longestGap = std::max(longestGap, store.timeAt(i) - store.timeAt(i - 1));
            }
            QCOMPARE(recorded, truth.at(serial));
            QCOMPARE(longestGap >= 3, serial == "0123456789");
        }
    }

    // Killed outright: every row that reached the file is whole.
    void killedRecorderLeavesAFileThatReadsBack() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("run.csv"));
        Child child({"-o", file, "--sync", "1"},
                    {{"LOGGER_SIM_METERS", "1"}, {"LOGGER_SIM_POLL_MS", "200"}});
        QTRY_VERIFY_WITH_TIMEOUT(dataRows(file) >= 5, runTimeoutMs);
        child.signal(SIGKILL);
        QVERIFY(child.finish());
        CsvReadResult result;
        QVERIFY(readCsv(file, &result).size() >= 5);
        QCOMPARE(result.skipped, 0);
    }

    void stopSignals_data() {
        QTest::addColumn<QList<int>>("stops");
        QTest::addColumn<int>("code");
        QTest::newRow("one, waits for the answer") << QList<int>{SIGTERM} << 0;
        QTest::newRow("a second one while closing") << QList<int>{SIGTERM, SIGINT} << 130;
    }
    // The meter never answers: closing waits for the last poll's answer, but not for ever,
    // and a second signal cuts the wait short.
    void stopSignals() {
        QFETCH(QList<int>, stops);
        QFETCH(int, code);
        QTemporaryDir dir;
        Child child({"-o", dir.path()}, {{"LOGGER_SIM_METERS", "1"}, {"LOGGER_SIM_SILENT", "1"}});
        QTRY_VERIFY_WITH_TIMEOUT(child.readErr().contains("found"), runTimeoutMs);
        for (const int sig : stops)
            child.signal(sig);
        QVERIFY(child.finish());
        QCOMPARE(child.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.process.exitCode(), code);
        QCOMPARE(child.readErr().contains("no samples"), code == 0);
    }

    void standardOutputFormatsParse_data() {
        QTest::addColumn<QString>("format");
        QTest::newRow("jsonl") << "jsonl";
        QTest::newRow("influx") << "influx";
    }
    // Each line stands for the file's row of the same sample.
    void standardOutputFormatsParse() {
        QFETCH(QString, format);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("run.csv"));
        Child child({"-o", file, "--format", format, "--duration", "2s", "-q"},
                    {{"LOGGER_SIM_METERS", "1"}, {"LOGGER_SIM_POLL_MS", "250"}});
        QVERIFY(child.finish());
        QCOMPARE(child.process.exitCode(), 0);
        QCOMPARE(child.readErr(), QByteArray());
        const QList<QByteArray> lines = child.process.readAllStandardOutput().split('\n');
        const SampleStore store = readCsv(file);
        QVERIFY(store.size() >= 4);
        QCOMPARE(lines.size(), store.size() + 1);
        QVERIFY(lines.last().isEmpty());
        static const QRegularExpression point(
            R"(^usb_meter,meter=0123456789 (vbus=[0-9.]+)(,[a-z0-9_]+=[0-9.]+){8} ([0-9]{19})$)");
        for (int i = 0; i < store.size(); ++i) {
            qint64 secs = 0;
            double vbus = 0;
            if (format == "jsonl") {
                const QJsonObject o = QJsonDocument::fromJson(lines[i]).object();
                QVERIFY(o.value("mah").isDouble());
                QVERIFY(QRegularExpression(R"([+-]\d\d:\d\d$)")
                            .match(o.value("time").toString())
                            .hasMatch());
                secs = QDateTime::fromString(o.value("time").toString(), Qt::ISODate)
                           .toSecsSinceEpoch();
                vbus = o.value("vbus").toDouble();
            } else {
                const QRegularExpressionMatch m = point.match(QString::fromUtf8(lines[i]));
                secs = m.captured(3).toLongLong() / 1000000000;
                vbus = m.captured(1).mid(5).toDouble();
            }
            QCOMPARE(secs, store.timeAt(i));
            QCOMPARE(float(vbus), store.value(VBUS, i));
        }
    }

    void theMetersRecordedAreTheOnesAskedFor_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("sameSerial");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("the last listed") << QStringList{} << false << QStringList{"0123456790"};
        QTest::newRow("by serial")
            << QStringList{"--meter", "0123456789"} << false << QStringList{"0123456789"};
        QTest::newRow("by path") << QStringList{"--meter", "sim-meter-2"} << false
                                 << QStringList{"0123456790"};
        QTest::newRow("shared serial, one leaves")
            << QStringList{"--all"} << true << QStringList{"sim-meter-1", "sim-meter-2"};
    }
    void theMetersRecordedAreTheOnesAskedFor() {
        QFETCH(QStringList, args);
        QFETCH(bool, sameSerial);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        QMap<QString, QString> env{{"LOGGER_SIM_METERS", "2"}, {"LOGGER_SIM_POLL_MS", "250"}};
        if (sameSerial)
            env.insert("LOGGER_SIM_SAME_SERIAL", "1");
        Child child(args + QStringList{"-o", dir.path(), "--duration", "3s"}, env);
        if (sameSerial) {
            // The meter left behind keeps its path as key: its serial is now its own, but a
            // new key would open a second link and a second file on it.
            QTRY_VERIFY_WITH_TIMEOUT(csvFiles(dir).size() == 2, runTimeoutMs);
            child.process.write("unplug 0\n");
        }
        QVERIFY(child.finish());
        QCOMPARE(child.process.exitCode(), 0);
        QCOMPARE(child.readErr().contains("share the serial 0123456789"), sameSerial);
        QCOMPARE(child.readErr().contains("unplugged"), sameSerial); // left before the end
        // Standard output is no terminal and no format was asked for.
        QCOMPARE(child.process.readAllStandardOutput(), QByteArray());
        const QStringList recorded = csvFiles(dir);
        QCOMPARE(recorded.size(), files.size());
        for (int i = 0; i < files.size(); ++i)
            QVERIFY2(recorded[i].contains("usb-meter-" + files[i] + "-"), qPrintable(recorded[i]));
    }

    void listNamesEveryMeterAndRecordsNothing() {
        QTemporaryDir dir;
        Child child({"--list", "-o", dir.path()}, {{"LOGGER_SIM_METERS", "2"}});
        QVERIFY(child.finish());
        QCOMPARE(child.process.exitCode(), 0);
        QCOMPARE(child.process.readAllStandardOutput(),
                 QByteArray("sim-meter-1\t0123456789\tUSB K82 V1.0\n"
                            "sim-meter-2\t0123456790\tUSB K82 V1.0\n"));
        QCOMPARE(csvFiles(dir), QStringList());
    }

    void refusedRunsExitBeforeRecording_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("meters");
        QTest::addColumn<int>("code");
        QTest::newRow("unknown option") << QStringList{"-o", "@", "--bogus"} << "1" << 2;
        QTest::newRow("malformed duration")
            << QStringList{"-o", "@", "--duration", "8x"} << "1" << 2;
        QTest::newRow("split not in days") << QStringList{"-o", "@", "--split", "5h"} << "1" << 2;
        QTest::newRow("unknown format") << QStringList{"-o", "@", "--format", "xml"} << "1" << 2;
        QTest::newRow("missing folder") << QStringList{"-o", "@/missing/"} << "1" << 2;
        QTest::newRow("folder is a file") << QStringList{"-o", "@/file/run.csv"} << "1" << 2;
        QTest::newRow("one file for all") << QStringList{"--all", "-o", "@/run.csv"} << "1" << 2;
        QTest::newRow("no meter in time") << QStringList{"-o", "@", "--wait", "1"} << "0" << 3;
    }
    void refusedRunsExitBeforeRecording() {
        QFETCH(QStringList, args);
        QFETCH(QString, meters);
        QFETCH(int, code);
        QTemporaryDir dir;
        QFile(dir.filePath("file")).open(QIODevice::WriteOnly);
        args.replaceInStrings(QRegularExpression("^@"), dir.path());
        Child child(args, {{"LOGGER_SIM_METERS", meters}});
        QVERIFY(child.finish());
        QCOMPARE(child.process.exitCode(), code);
        QCOMPARE(child.readErr().count('\n'), 1);
        QCOMPARE(csvFiles(dir), QStringList());
    }

    // The disk fills (the file may not grow past 1 kB): exit 4, the file named, its rows whole.
    void fullDiskEndsTheRunWithValidRows() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("run.csv"));
        // Inherited by the child, which QProcess forks within start().
        std::optional<FileSizeLimit> limit(std::in_place, 1000);
        Child child({"-o", file}, {{"LOGGER_SIM_METERS", "1"}, {"LOGGER_SIM_POLL_MS", "50"}});
        limit.reset();
        QVERIFY(child.finish());
        QCOMPARE(child.process.exitCode(), 4);
        QVERIFY(child.readErr().contains(("cannot write " + file).toUtf8()));
        CsvReadResult result;
        const SampleStore store = readCsv(file, &result);
        QCOMPARE(result.skipped, 0);
        QVERIFY(store.size() >= 5);
    }
};

QTEST_GUILESS_MAIN(LoggerRunTest)
#include "test_logger_run.moc"
