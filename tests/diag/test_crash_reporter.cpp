// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashChild.h"
#include "CrashFilter.h"
#include "FrameWalk.h"
#include "ParsedReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

// Runs the crash helper, which installs the reporter and faults on purpose, and checks the
// report it leaves in MyApp/crash.log and the signal it died of.
class TestCrashReporter : public QObject {
    Q_OBJECT

private:
    QTemporaryDir workDir;
    // What the helper printed before it crashed.
    QByteArray firstOutputLine;

    QString reportPath() const { return workDir.filePath(CrashFilter::reportPath); }

    QByteArray readReport() const {
        QFile file(reportPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs `mode` to its end and parses the report it wrote into `report`; returns what went
    // wrong, or an empty text when the child died of `signal` and the report parsed.
    QString crash(const QString& mode, int signal, ParsedReport& report) {
        CrashChild child(mode, workDir.path());
        firstOutputLine = child.readLine();
        const int ended = child.terminatingSignal();
        if (ended != signal)
            return QString("%1 ended by signal %2, not %3").arg(mode).arg(ended).arg(signal);
        return ParsedReport::parse(readReport(), report);
    }

    static QString helperPath() { return QFileInfo(CRASH_HELPER_PATH).canonicalFilePath(); }

private slots:
    void init() {
        if (CrashFilter::stepsAside)
            QSKIP("the crash reporter steps aside under AddressSanitizer");
        QVERIFY(workDir.isValid());
    }

    // Each fault the helper can make, and what its report must say. An address of -1 is
    // the one the helper prints before it faults; a null call faults outside any module,
    // with no bytes to show, but its caller is on the stack.
    void eachFaultIsReportedWithItsCode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("access");
        QTest::addColumn<qint64>("address");
        QTest::addColumn<QStringList>("instructionPrefix");
        const QStringList any;
        const QString none;
        QTest::newRow("null write") << "null-write" << SIGSEGV << "C0000005"
                                    << "Write" << 0ll << any;
        QTest::newRow("null write, second thread") << "thread-null-write" << SIGSEGV << "C0000005"
                                                   << "Write" << 0ll << any;
        QTest::newRow("unmapped read") << "unmapped-read" << SIGSEGV << "C0000005"
                                       << "Read" << -1ll << any;
        QTest::newRow("null call")
            << "null-call" << SIGSEGV << "C0000005"
            << "Read" << 0ll << QStringList(QVector<QString>(16, "??").toList());
        QTest::newRow("division by zero")
            << "divide-by-zero" << SIGFPE << "C0000094" << none << 0ll << any;
        // ud2, what the compiler emits for a trap.
        QTest::newRow("illegal instruction") << "illegal-instruction" << SIGILL << "C000001D"
                                             << none << 0ll << QStringList({"0F", "0B"});
        QTest::newRow("stack overflow")
            << "stack-overflow" << SIGSEGV << "C00000FD" << none << 0ll << any;
        QTest::newRow("stack overflow, second thread")
            << "thread-stack-overflow" << SIGSEGV << "C00000FD" << none << 0ll << any;
    }

    void eachFaultIsReportedWithItsCode() {
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(QString, code);
        QFETCH(QString, access);
        QFETCH(qint64, address);
        QFETCH(QStringList, instructionPrefix);
        ParsedReport report;
        const QString failure = crash(mode, signal, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        utsname kernel{};
        QCOMPARE(uname(&kernel), 0);
        QCOMPARE(report.systemLine, QString("Linux:  %1 %2").arg(kernel.release, kernel.version));
        QCOMPARE(report.process, helperPath());
        QCOMPARE(report.code, code);
        QCOMPARE(report.access, access);
        if (address == -1) {
            address = qint64(firstOutputLine.toULongLong(nullptr, 16));
            QVERIFY(address != 0);
        }
        QCOMPARE(report.accessAddress, quint64(access.isEmpty() ? 0 : address));
        QCOMPARE(report.instruction.mid(0, instructionPrefix.size()), instructionPrefix);
        QVERIFY(!report.stack.isEmpty());
        QCOMPARE(report.stack.first().module, helperPath());
        if (mode == "null-call") {
            QCOMPARE(report.exceptionAddress, 0ull);
            QCOMPARE(report.module, QString());
        } else {
            QVERIFY(!report.instruction.contains("??"));
            QCOMPARE(report.module, helperPath());
            QCOMPARE(report.registers.value("RIP"), report.exceptionAddress);
            QCOMPARE(report.stack.first().address, report.exceptionAddress);
        }
        // The recursion is deeper than any report: the walk ends at its bound.
        if (code == "C00000FD")
            QCOMPARE(report.stack.size(), int(FrameWalk::maxFrames));
    }

    void secondCrashReplacesTheFirstReport() {
        ParsedReport first;
        const QString firstFailure = crash("stack-overflow", SIGSEGV, first);
        QVERIFY2(firstFailure.isEmpty(), qPrintable(firstFailure));
        ParsedReport second;
        const QString secondFailure = crash("divide-by-zero", SIGFPE, second);
        QVERIFY2(secondFailure.isEmpty(), qPrintable(secondFailure));
        QCOMPARE(second.code, QString("C0000094"));
        QVERIFY(second.stack.size() < first.stack.size());
    }

    void faultWhileReportingLeavesOneWholeReport() {
        QDir(workDir.path()).mkpath(CrashFilter::directory);
        // The first report waits in open() until the test reads the FIFO.
        const QByteArray fifo = QFile::encodeName(reportPath());
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        CrashChild child("fault-while-reporting", workDir.path());
        QCOMPARE(child.readLine(), QByteArray("second"));
        QFile pipe(reportPath());
        QVERIFY(pipe.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        const QByteArray text = pipe.readAll();
        QCOMPARE(child.terminatingSignal(), SIGSEGV);
        ParsedReport report;
        const QString failure = ParsedReport::parse(text, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        // The first fault's report, untouched by the second.
        QCOMPARE(report.code, QString("C0000005"));
        QCOMPARE(report.access, QString("Write"));
        QCOMPARE(text.count("Exception Code"), 1);
    }

    void noDirectoryMeansNoReportAndTheSignalStands() {
        QFile blocker(workDir.filePath(CrashFilter::directory));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("in the way");
        blocker.close();
        CrashChild child("null-write", workDir.path());
        QCOMPARE(child.terminatingSignal(), SIGSEGV);
        QVERIFY(QFileInfo(blocker.fileName()).isFile());
        QCOMPARE(QDir(workDir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({CrashFilter::directory}));
    }

    void cleanup() {
        const QString directory = workDir.filePath(CrashFilter::directory);
        if (QFileInfo(directory).isDir())
            QDir(directory).removeRecursively();
        else
            QFile::remove(directory);
    }
};

QTEST_GUILESS_MAIN(TestCrashReporter)
#include "test_crash_reporter.moc"
