// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped program and the demo answer --help, --version and mistakes on the terminal,
// with no display to open a window on, in the interface language stored in usb-hid.ini.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answersOnTheTerminalWithoutADisplay_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("exitCode");
        // Regular expressions that the whole of each output must match.
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString meter = QStringLiteral(USB_METER_PATH);
        const QString demo = QStringLiteral(USB_METER_DEMO_PATH);
        const QString version =
            QRegularExpression::escape(QStringLiteral(" " PROJECT_VERSION "\n"));
        const auto usage = [](const char* name) {
            return QStringLiteral("Usage: \\S*%1 \\[options\\] \\[FILE\\.csv\\]\n").arg(name);
        };
        const auto help = [&usage](const char* helpOption) {
            return usage("usb-meter") +
                   QStringLiteral("(.*\n)*  -h, --help +%1\n"
                                  "  -v, --version .*\n(.*\n)*  FILE\\.csv .*\n")
                       .arg(QString::fromUtf8(helpOption));
        };
        QTest::newRow("demo version")
            << demo << QStringList{"--version"} << false << 0 << "usb-meter-demo" + version << "";
        QTest::newRow("help") << meter << QStringList{"--help"} << false << 0
                              << help("显示此帮助并退出") << "";
        QTest::newRow("help, English") << meter << QStringList{"-h", "x.csv"} << true << 0
                                       << help("Show this help and exit") << "";
        QTest::newRow("unknown option")
            << meter << QStringList{"--bogus", "x.csv"} << false << 2 << ""
            << "Unknown option 'bogus'.\n" + usage("usb-meter");
        QTest::newRow("two files")
            << demo << QStringList{"a.csv", "b.csv"} << true << 2 << ""
            << "Only one recording file can be opened\n" + usage("usb-meter-demo");
    }

    void answersOnTheTerminalWithoutADisplay() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, english);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir workDir;
        QVERIFY(workDir.isValid());
        if (english) {
            QFile settings(workDir.filePath(QStringLiteral("usb-hid.ini")));
            QVERIFY(settings.open(QIODevice::WriteOnly));
            settings.write("[General]\nlanguage=English\n");
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(workDir.path());
        child.start(program, arguments);
        QVERIFY(child.waitForFinished(60000));
        const QString stdoutText = QString::fromUtf8(child.readAllStandardOutput());
        const QString stderrText = QString::fromUtf8(child.readAllStandardError());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), exitCode);
        const auto matches = [](const QString& pattern, const QString& text) {
            return QRegularExpression(QRegularExpression::anchoredPattern(pattern))
                .match(text)
                .hasMatch();
        };
        QVERIFY2(matches(out, stdoutText), qPrintable(stdoutText));
        QVERIFY2(matches(err, stderrText), qPrintable(stderrText));
        // Answering on the terminal writes nothing into the working folder.
        QCOMPARE(QDir(workDir.path()).entryList(QDir::Files).size(), english ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
