// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashFilter.h"
#include "FrameWalk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <dlfcn.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>

namespace {

constexpr int timeoutMs = 30000;
const QString hex16 = "[0-9A-F]{16}";

// The report's lines in the order they must come; the call stack ends the text.
const QRegularExpression
    reportPattern("^Linux:  (?<system>.+)\nProcess:  (?<process>.+)\n"
                  "Exception Addr:  (?<pc>" +
                  hex16 +
                  ")   Module: (?<module>.*)\n"
                  "Exception Code:  (?<code>[0-9A-F]{8})\n(?:(?<access>.+ Address:  .+)\n)?"
                  "Instruction: (?<instruction>(?: (?:[0-9A-F]{2}|\\?\\?)){16})\n"
                  "Registers: \n(?:[0-9A-Z]+: +" +
                  hex16 + "(?:  |\n)){16}RIP: (?<rip>" + hex16 + ")  EFlags: " + hex16 +
                  "\nCall Stack:(?<stack>(?:\n" + hex16 + "  .*)+)\\z");

QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

QString helperPath() {
    return canonical(CRASH_HELPER_PATH);
}

// The module the helper's kill() is in: a signal sent by a process arrives in it.
QString libcPath() {
    Dl_info info{};
    return dladdr(reinterpret_cast<void*>(&kill), &info) != 0 ? canonical(info.dli_fname)
                                                              : QString();
}

QByteArray readLine(QProcess& child) {
    while (!child.canReadLine() && child.waitForReadyRead(timeoutMs)) {
    }
    return child.readLine().trimmed();
}

// The signal that ended the child, or 0 when it exited or hung and had to be killed.
int terminatingSignal(QProcess& child) {
    if (!child.waitForFinished(timeoutMs) && child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
        return 0;
    }
    return child.exitStatus() == QProcess::CrashExit ? child.exitCode() : 0;
}

} // namespace

// Runs the crash helper, which installs the reporter and faults on purpose, and checks the
// report it leaves in MyApp/crash.log and the signal it died of.
class TestCrashReporter : public QObject {
    Q_OBJECT

private:
    std::optional<QTemporaryDir> workDir;
    // What the helper printed before it crashed.
    QByteArray firstOutputLine;

    QString reportPath() const { return workDir->filePath(CrashFilter::reportPath); }

    void start(QProcess& child, const QString& mode) {
        child.setWorkingDirectory(workDir->path());
        child.start(CRASH_HELPER_PATH, {mode});
    }

    // Runs `mode` to its end and matches the report it wrote; returns what went wrong.
    QString crash(const QString& mode, int signal, QRegularExpressionMatch& report) {
        QProcess child;
        start(child, mode);
        firstOutputLine = readLine(child);
        const int ended = terminatingSignal(child);
        if (ended != signal)
            return QString("%1 ended by signal %2, not %3").arg(mode).arg(ended).arg(signal);
        QFile file(reportPath());
        const QString text =
            QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : "");
        report = reportPattern.match(text);
        return report.hasMatch() ? QString() : "the report does not fit:\n" + text;
    }

private slots:
    void initTestCase() {
        // Dozens of deliberate crashes should not leave core files behind.
        const rlimit noCore{0, 0};
        QCOMPARE(setrlimit(RLIMIT_CORE, &noCore), 0);
    }

    void init() {
        if (CrashFilter::stepsAside)
            QSKIP("the crash reporter steps aside under AddressSanitizer");
        workDir.emplace();
        QVERIFY(workDir->isValid());
    }

    // Each fault the helper can make, and what its report must say. %1 is the address the
    // helper prints before it faults; a null call faults outside any module, with no bytes to
    // show, but its caller is on the stack. A fault while another thread holds the loader's
    // lock must not hang the handler.
    void eachFaultIsReportedWithItsCode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("access");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QStringList>("instructionPrefix");
        const QString nullWrite = "Write Address:  0000000000000000";
        const QString helper = helperPath();
        const QStringList any;
        QTest::newRow("null write")
            << "null-write" << SIGSEGV << "C0000005" << nullWrite << helper << any;
        QTest::newRow("null write, second thread")
            << "thread-null-write" << SIGSEGV << "C0000005" << nullWrite << helper << any;
        QTest::newRow("unmapped read") << "unmapped-read" << SIGSEGV << "C0000005"
                                       << "Read Address:  %1" << helper << any;
        QTest::newRow("null call") << "null-call" << SIGSEGV << "C0000005"
                                   << "Read Address:  0000000000000000" << QString()
                                   << QStringList(QVector<QString>(16, "??").toList());
        QTest::newRow("division by zero")
            << "divide-by-zero" << SIGFPE << "C0000094" << QString() << helper << any;
        // ud2, what the compiler emits for a trap.
        QTest::newRow("illegal instruction") << "illegal-instruction" << SIGILL << "C000001D"
                                             << QString() << helper << QStringList({"0F", "0B"});
        QTest::newRow("stack overflow")
            << "stack-overflow" << SIGSEGV << "C00000FD" << QString() << helper << any;
        QTest::newRow("stack overflow, second thread")
            << "thread-stack-overflow" << SIGSEGV << "C00000FD" << QString() << helper << any;
        QTest::newRow("another thread inside dlopen")
            << "fault-inside-dlopen" << SIGSEGV << "C0000005" << nullWrite << helper << any;
        QTest::newRow("another thread walking the module list")
            << "fault-inside-module-walk" << SIGSEGV << "C0000005" << nullWrite << helper << any;
        QTest::newRow("non-canonical pointer")
            << "non-canonical-write" << SIGSEGV << "C0000005"
            << "Access Address:  unknown (general protection fault)" << helper << any;
        QTest::newRow("sent with kill")
            << "killed-with-segv" << SIGSEGV << "C0000005"
            << "Access Address:  unknown (signal sent by a process)" << libcPath() << any;
    }

    void eachFaultIsReportedWithItsCode() {
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(QString, code);
        QFETCH(QString, access);
        QFETCH(QString, module);
        QFETCH(QStringList, instructionPrefix);
        QRegularExpressionMatch report;
        const QString failure = crash(mode, signal, report);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        utsname kernel{};
        QCOMPARE(uname(&kernel), 0);
        QCOMPARE(report.captured("system"), QString("%1 %2").arg(kernel.release, kernel.version));
        QCOMPARE(report.captured("process"), helperPath());
        QCOMPARE(report.captured("code"), code);
        QCOMPARE(report.captured("access"), access.replace("%1", firstOutputLine));
        QCOMPARE(canonical(report.captured("module")), module);
        const QStringList instruction =
            report.captured("instruction").split(' ', Qt::SkipEmptyParts);
        QCOMPARE(instruction.mid(0, instructionPrefix.size()), instructionPrefix);
        const QStringList stack = report.captured("stack").split('\n', Qt::SkipEmptyParts);
        QCOMPARE(canonical(stack.first().section("  ", 1)),
                 module.isEmpty() ? helperPath() : module);
        const QString pc = report.captured("pc");
        if (module.isEmpty()) {
            QCOMPARE(pc, QString(16, '0'));
        } else {
            QVERIFY(!instruction.contains("??"));
            QCOMPARE(report.captured("rip"), pc);
            QCOMPARE(stack.first().section("  ", 0, 0), pc);
        }
        // The recursion is deeper than any report: the walk ends at its bound.
        if (code == "C00000FD")
            QCOMPARE(stack.size(), int(FrameWalk::maxFrames));
    }

    void secondCrashReplacesTheFirstReport() {
        QRegularExpressionMatch first;
        QString failure = crash("stack-overflow", SIGSEGV, first);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QRegularExpressionMatch second;
        failure = crash("divide-by-zero", SIGFPE, second);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(second.captured("code"), QString("C0000094"));
        QVERIFY(second.captured("stack").size() < first.captured("stack").size());
    }

    void faultWhileReportingLeavesOneWholeReport() {
        QDir(workDir->path()).mkpath(CrashFilter::directory);
        // The first report waits in open() until the test reads the FIFO.
        const QByteArray fifo = QFile::encodeName(reportPath());
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        QProcess child;
        start(child, "fault-while-reporting");
        QCOMPARE(readLine(child), QByteArray("second"));
        QFile pipe(reportPath());
        QVERIFY(pipe.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        const QByteArray text = pipe.readAll();
        QCOMPARE(terminatingSignal(child), SIGSEGV);
        const auto report = reportPattern.match(text);
        QVERIFY2(report.hasMatch(), text.constData());
        // The first fault's report, untouched by the second.
        QCOMPARE(report.captured("access"), QString("Write Address:  0000000000000000"));
        QCOMPARE(text.count("Exception Code"), 1);
    }

    // A symlink where the report goes, to the folder or to the file, is never followed nor
    // removed.
    void aPlantedSymlinkIsNotFollowed_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::newRow("MyApp") << CrashFilter::directory << "elsewhere";
        QTest::newRow("crash.log") << CrashFilter::reportPath << "elsewhere/crash.log";
    }

    void aPlantedSymlinkIsNotFollowed() {
        QFETCH(QString, link);
        QFETCH(QString, target);
        const QDir dir(workDir->path());
        QVERIFY(dir.mkpath("elsewhere"));
        if (link != CrashFilter::directory)
            QVERIFY(dir.mkpath(CrashFilter::directory));
        QFile victim(dir.filePath("elsewhere/crash.log"));
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("the user's own file\n");
        victim.close();
        QVERIFY(QFile::link(dir.filePath(target), dir.filePath(link)));

        QProcess child;
        start(child, "null-write");
        QCOMPARE(terminatingSignal(child), SIGSEGV);
        QVERIFY(QFileInfo(dir.filePath(link)).isSymLink());
        QVERIFY(victim.open(QIODevice::ReadOnly));
        QCOMPARE(victim.readAll(), QByteArray("the user's own file\n"));
    }
};

QTEST_GUILESS_MAIN(TestCrashReporter)
#include "test_crash_reporter.moc"
