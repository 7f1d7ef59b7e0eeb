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
        QCOMPARE(Setting().readValue("report_id"), QString());
        QVERIFY(!QFile::exists("usb-hid.ini"));
        Setting().writeValue("report_id", "85");
        QVERIFY(QFile::exists(workDir->filePath("usb-hid.ini")));
        QCOMPARE(Setting().readValue("report_id"), QString("85"));
    }

    // Keys written by hand in any case are found, replaced in every spelling and removed;
    // values keep their case.
    void keysAreMatchedInAnyCase() {
        QVERIFY(ScopedWorkDir::writeSettingsFile("[General]\nrEPORT_iD=300\nChartTheme=dark\n"
                                                 "Language=English\nlanguage=English\n"
                                                 "LANGUAGE=English\n"));
        QCOMPARE(Setting().readValue("report_id"), QString("300"));
        QCOMPARE(Setting().readValue("charttheme"), QString("dark"));
        Setting().writeValue("language", "Chinese");
        QCOMPARE(Setting().readValue("Language"), QString("Chinese"));
        Setting().removeValue("Report_ID");
        QCOMPARE(Setting().readValue("report_id"), QString());
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

private:
    std::unique_ptr<ScopedWorkDir> workDir;
};

QTEST_GUILESS_MAIN(SettingTest)
#include "test_setting.moc"
