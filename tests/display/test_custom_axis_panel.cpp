// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScopedWorkDir.h"
#include "Setting.h"
#include "customcoordinates.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>
#include <QValidator>
#include <QtTest>

#include <memory>

namespace {

// Types the text into an emptied edit and presses Return, as a user finishing an entry.
void enter(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// An on switch looks unlike an off one; VBUS is left off where a test needs an off one.
bool looksAlike(const QPushButton* a, const QPushButton* b) {
    return a->styleSheet() == b->styleSheet();
}

} // namespace

class CustomAxisPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init() { workDir = std::make_unique<ScopedWorkDir>(); }
    void cleanup() { workDir.reset(); }

    void storedRangesAndSwitchesAreShownAtStart() {
        QVERIFY(ScopedWorkDir::writeSettingsFile(
            "[General]\nIbusIsOpen=1\nIbus_Min_Value=4.5\nIbus_Max_Value=5.5\n"
            "CPU_Max_Value=85.24\nPoweIsOpen=0\n"));
        customcoordinates panel;
        QCOMPARE(panel.minEdit(IBUS)->text(), QString("4.50"));
        QCOMPARE(panel.maxEdit(IBUS)->text(), QString("5.50"));
        QCOMPARE(panel.maxEdit(CPU_TEMP)->text(), QString("85.2"));
        QCOMPARE(panel.minEdit(VBUS)->text(), QString("0.00"));
        QCOMPARE(panel.switchButton(VBUS)->text(), QString("关闭"));
        QCOMPARE(panel.switchButton(IBUS)->text(), QString("启用"));
        QVERIFY(!looksAlike(panel.switchButton(IBUS), panel.switchButton(VBUS)));
        QVERIFY(looksAlike(panel.switchButton(POWER), panel.switchButton(VBUS)));
    }

    // A bound changes the chart only while its switch is on and the edit accepts it; the
    // switch always does.
    void editsEmitOnlyWhileTheSwitchIsOn() {
        customcoordinates panel;
        QSignalSpy changed(&panel, &customcoordinates::RangChang_signal);
        enter(panel.maxEdit(IBUS), "5.5");
        QCOMPARE(panel.ranges().rangeMax[IBUS], 5.5f);
        QCOMPARE(changed.count(), 0);

        QTest::mouseClick(panel.switchButton(IBUS), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(panel.switchButton(IBUS)->text(), QString("启用"));
        QVERIFY(!looksAlike(panel.switchButton(IBUS), panel.switchButton(VBUS)));

        // A minimum above the maximum is stored and announced; the chart ignores it.
        enter(panel.minEdit(IBUS), "7");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(Setting().readValue("Ibus_Min_Value"), QString("7.00"));
        QVERIFY(!panel.ranges().applies(IBUS));
        enter(panel.maxEdit(IBUS), "250");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(Setting().readValue("Ibus_Max_Value"), QString("5.50"));

        QTest::mouseClick(panel.switchButton(IBUS), Qt::LeftButton);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(panel.switchButton(IBUS)->text(), QString("关闭"));
        QVERIFY(looksAlike(panel.switchButton(IBUS), panel.switchButton(VBUS)));
    }

    void validatorsAcceptTheChannelsRangeAndDecimals_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("CPU one decimal") << int(CPU_TEMP) << "150.5" << true;
        QTest::newRow("CPU up to 200") << int(CPU_TEMP) << "200" << true;
        QTest::newRow("CPU above 200") << int(CPU_TEMP) << "200.1" << false;
        QTest::newRow("CPU two decimals") << int(CPU_TEMP) << "12.34" << false;
        QTest::newRow("VBUS two decimals") << int(VBUS) << "99.99" << true;
        QTest::newRow("VBUS above 100") << int(VBUS) << "100.5" << false;
        QTest::newRow("negative") << int(PD) << "-1" << false;
        QTest::newRow("decimal comma") << int(CC1) << "1,5" << false;
        QTest::newRow("exponent") << int(CC2) << "1e1" << false;
    }
    void validatorsAcceptTheChannelsRangeAndDecimals() {
        QFETCH(int, channel);
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        customcoordinates panel;
        for (QLineEdit* edit : {panel.minEdit(channel), panel.maxEdit(channel)}) {
            QString probe = text;
            int pos = 0;
            QCOMPARE(edit->validator()->validate(probe, pos) == QValidator::Acceptable, acceptable);
        }
    }

    void theFixedSizePanelTogglesOverAWindowAndItsCloseButtonHidesIt() {
        QWidget window;
        window.setGeometry(100, 50, 1000, 700);
        customcoordinates panel;
        panel.toggleOver(&window);
        QVERIFY(panel.isVisible());
        QCOMPARE(panel.minimumSize(), panel.maximumSize());
        QTest::mouseClick(panel.findChild<QPushButton*>("btn_CLOS_SET"), Qt::LeftButton);
        QVERIFY(!panel.isVisible());
        QVERIFY(!QFile::exists("usb-hid.ini"));
    }

    void languageChangeKeepsSwitchTextsAndTitle() {
        customcoordinates panel;
        QTest::mouseClick(panel.switchButton(PM), Qt::LeftButton);
        QTranslator english;
        QVERIFY(english.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&english);
        QTRY_COMPARE(panel.findChild<QLabel*>("label_axis")->text(), QString("Data axis"));
        QCOMPARE(panel.switchButton(PM)->text(), QString("Enable"));
        QVERIFY(!looksAlike(panel.switchButton(PM), panel.switchButton(VBUS)));
        QCOMPARE(panel.switchButton(VBUS)->text(), QString("Close"));
        QCoreApplication::removeTranslator(&english);
        QTRY_COMPARE(panel.switchButton(PM)->text(), QString("启用"));
    }

private:
    std::unique_ptr<ScopedWorkDir> workDir;
};

QTEST_MAIN(CustomAxisPanelTest)
#include "test_custom_axis_panel.moc"
