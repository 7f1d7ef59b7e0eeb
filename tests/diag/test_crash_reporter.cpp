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

    // Runs `mode`, expecting an access violation of the kind `access` at `address`.
    void expectAccessViolation(const QString& mode, const QString& access, quint64 address,
                               ParsedReport& report) {
        const QString failure = crash(mode, SIGSEGV, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        checkAccessViolation(report, access, address);
    }

    static void checkAccessViolation(const ParsedReport& report, const QString& access,
                                     quint64 address) {
        QCOMPARE(report.code, QString("C0000005"));
        QCOMPARE(report.access, access);
        QCOMPARE(report.accessAddress, address);
    }

    static QString helperPath() { return QFileInfo(CRASH_HELPER_PATH).canonicalFilePath(); }

    // The fault happened in the helper and the call stack climbs through it.
    static void checkFaultInHelper(const ParsedReport& report) {
        QCOMPARE(report.module, helperPath());
        QCOMPARE(report.registers.value("RIP"), report.exceptionAddress);
        QVERIFY(!report.stack.isEmpty());
        QCOMPARE(report.stack.first().address, report.exceptionAddress);
        QCOMPARE(report.stack.first().module, helperPath());
    }

private slots:
    void init() {
        if (CrashFilter::stepsAside)
            QSKIP("the crash reporter steps aside under AddressSanitizer");
        QVERIFY(workDir.isValid());
    }

    void reportOpensWithKernelAndProcess() {
        ParsedReport report;
        const QString failure = crash("null-write", SIGSEGV, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        utsname kernel{};
        QCOMPARE(uname(&kernel), 0);
        QCOMPARE(report.systemLine, QString("Linux:  %1 %2").arg(kernel.release, kernel.version));
        QCOMPARE(report.process, helperPath());
    }

    void nullWriteIsAWriteAccessViolationAtZero() {
        ParsedReport report;
        expectAccessViolation("null-write", "Write", 0, report);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!report.instruction.contains("??"));
        checkFaultInHelper(report);
    }

    void unmappedReadIsAReadAccessViolationAtThatAddress() {
        ParsedReport report;
        const QString failure = crash("unmapped-read", SIGSEGV, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const quint64 address = firstOutputLine.toULongLong(nullptr, 16);
        QVERIFY(address != 0);
        checkAccessViolation(report, "Read", address);
        checkFaultInHelper(report);
    }

    void arithmeticAndInstructionFaultsHaveTheirCodes_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("code");
        QTest::newRow("division by zero") << "divide-by-zero" << SIGFPE << "C0000094";
        QTest::newRow("illegal instruction") << "illegal-instruction" << SIGILL << "C000001D";
    }

    void arithmeticAndInstructionFaultsHaveTheirCodes() {
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(QString, code);
        ParsedReport report;
        const QString failure = crash(mode, signal, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(report.code, code);
        QVERIFY(report.access.isEmpty());
        checkFaultInHelper(report);
    }

    void illegalInstructionShowsItsBytes() {
        ParsedReport report;
        const QString failure = crash("illegal-instruction", SIGILL, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        // ud2, what the compiler emits for a trap.
        QCOMPARE(report.instruction.mid(0, 2), QStringList({"0F", "0B"}));
    }

    void stackOverflowIsReportedOnEveryThread_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("main thread") << "stack-overflow";
        QTest::newRow("second thread") << "thread-stack-overflow";
    }

    void stackOverflowIsReportedOnEveryThread() {
        QFETCH(QString, mode);
        ParsedReport report;
        const QString failure = crash(mode, SIGSEGV, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(report.code, QString("C00000FD"));
        QVERIFY(report.access.isEmpty());
        checkFaultInHelper(report);
        // The recursion is deeper than any report: the walk ends at its bound.
        QCOMPARE(report.stack.size(), int(FrameWalk::maxFrames));
    }

    void nullFunctionCallShowsNoBytesAndItsCaller() {
        ParsedReport report;
        expectAccessViolation("null-call", "Read", 0, report);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(report.exceptionAddress, 0ull);
        QCOMPARE(report.module, QString());
        QCOMPARE(report.instruction, QStringList(QVector<QString>(16, "??").toList()));
        QVERIFY(!report.stack.isEmpty());
        QCOMPARE(report.stack.first().module, helperPath());
    }

    void faultOnSecondThreadIsReported() {
        ParsedReport report;
        expectAccessViolation("thread-null-write", "Write", 0, report);
        if (QTest::currentTestFailed())
            return;
        checkFaultInHelper(report);
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
