// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashChild.h"
#include "CrashFilter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// The crash handler in the situations it must survive: the loader's lock held by another
// thread, a fault with no address to report, and a working folder where someone planted
// symlinks.
class TestCrashHandlerSafety : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (CrashFilter::stepsAside)
            QSKIP("the crash reporter steps aside under AddressSanitizer");
    }

    void theReportSaysWhatIsKnownOfTheAccess_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("accessLine");
        // A hang would leave no report and the child killed (signal 0) after the time-out.
        QTest::newRow("another thread inside dlopen") << "fault-inside-dlopen"
                                                      << "Write Address:  0000000000000000";
        QTest::newRow("another thread walking the module list")
            << "fault-inside-module-walk"
            << "Write Address:  0000000000000000";
        QTest::newRow("non-canonical pointer")
            << "non-canonical-write"
            << "Access Address:  unknown (general protection fault)";
        QTest::newRow("sent with kill") << "killed-with-segv"
                                        << "Access Address:  unknown (signal sent by a process)";
    }

    void theReportSaysWhatIsKnownOfTheAccess() {
        QFETCH(QString, mode);
        QFETCH(QString, accessLine);
        QTemporaryDir workDir;
        CrashChild child(mode, workDir.path());
        QCOMPARE(child.terminatingSignal(), SIGSEGV);
        QFile report(workDir.filePath(CrashFilter::reportPath));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(report.readAll()).split('\n');
        QCOMPARE(lines.filter(QRegularExpression("Address:  ")), QStringList{accessLine});
        QCOMPARE(lines.filter("Exception Code:  C0000005").size(), 1);
    }

    // A symlink where the report goes, to the folder or to the file, is never followed.
    void aPlantedSymlinkIsNotFollowed_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::newRow("MyApp") << CrashFilter::directory << "elsewhere";
        QTest::newRow("crash.log") << CrashFilter::reportPath << "elsewhere/crash.log";
    }

    void aPlantedSymlinkIsNotFollowed() {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QTemporaryDir workDir;
        const QDir dir(workDir.path());
        QVERIFY(dir.mkpath("elsewhere"));
        QVERIFY(dir.mkpath(CrashFilter::directory) || link == CrashFilter::directory);
        if (link == CrashFilter::directory)
            QVERIFY(dir.rmdir(CrashFilter::directory));
        QFile victim(dir.filePath("elsewhere/crash.log"));
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("the user's own file\n");
        victim.close();
        QVERIFY(QFile::link(dir.filePath(target), dir.filePath(link)));

        CrashChild child("null-write", workDir.path());
        QCOMPARE(child.terminatingSignal(), SIGSEGV);
        QVERIFY(victim.open(QIODevice::ReadOnly));
        QCOMPARE(victim.readAll(), QByteArray("the user's own file\n"));
    }
};

QTEST_APPLESS_MAIN(TestCrashHandlerSafety)
#include "test_crash_handler_safety.moc"
