// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScopedWorkDir.h"
#include "Setting.h"

#include <QFile>
#include <QtTest>

#include <memory>

class SettingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { workDir = std::make_unique<ScopedWorkDir>(); }
    void cleanup() { workDir.reset(); }

    void missingFileReadsEmptyAndFirstWriteCreatesIt() {
        QVERIFY(!QFile::exists("usb-hid.ini"));
        QCOMPARE(Setting().readValue("report_id"), QString());
        QVERIFY(!QFile::exists("usb-hid.ini"));
        Setting().writeValue("report_id", "85");
        QVERIFY(QFile::exists(workDir->filePath("usb-hid.ini")));
        QCOMPARE(Setting().readValue("report_id"), QString("85"));
    }

    void keyWrittenByHandWithOddCaseIsFound() {
        QVERIFY(ScopedWorkDir::writeSettingsFile("[General]\nrEPORT_iD=300\nChartTheme=dark\n"));
        QCOMPARE(Setting().readValue("report_id"), QString("300"));
        // Values keep their case; only keys are case-insensitive.
        QCOMPARE(Setting().readValue("charttheme"), QString("dark"));
    }

    void writingReplacesEverySpellingOfTheKey() {
        QVERIFY(ScopedWorkDir::writeSettingsFile(
            "[General]\nLanguage=English\nlanguage=English\nLANGUAGE=English\n"));
        Setting().writeValue("language", "Chinese");
        QCOMPARE(Setting().readValue("Language"), QString("Chinese"));
        QFile file("usb-hid.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toLower().count("language="), 1);
    }

    void hugeFileIsLeftAloneAndReadsEmpty() {
        QByteArray big("[General]\nlanguage=English\n");
        big.append(QByteArray(2 * 1024 * 1024, 'x'));
        QVERIFY(ScopedWorkDir::writeSettingsFile(big));
        QCOMPARE(Setting().readValue("language"), QString());
        Setting().writeValue("language", "Chinese");
        QCOMPARE(QFileInfo("usb-hid.ini").size(), qint64(big.size()));
    }

    void directoryInPlaceOfTheFileReadsEmpty() {
        QVERIFY(QDir().mkdir("usb-hid.ini"));
        Setting().writeValue("language", "English");
        QCOMPARE(Setting().readValue("language"), QString());
    }

    void removeValueDeletesAnyCaseOfTheKey() {
        Setting().writeValue("VBUS_col", "ffe60000");
        Setting().removeValue("vbus_COL");
        QCOMPARE(Setting().readValue("VBUS_col"), QString());
    }

private:
    std::unique_ptr<ScopedWorkDir> workDir;
};

QTEST_GUILESS_MAIN(SettingTest)
#include "test_setting.moc"
