// SPDX-License-Identifier: GPL-3.0-or-later
#include "Glyphs.h"
#include "MeterFixture.h"
#include "Setting.h"

#include <QHeaderView>
#include <QSlider>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
void chooseChinese(MainDialog& d) {
    QMetaObject::invokeMethod(&d, "onS_Act1Clicked_Slot");
}
void chooseEnglish(MainDialog& d) {
    QMetaObject::invokeMethod(&d, "onS_Act2Clicked_Slot");
}

QString headerText(const MeterFixture& f) {
    return f.widget<QTreeWidget>("device_treeWidget")->headerItem()->text(0);
}
} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void withNothingStoredChoosingEnglishSwitchesAtOnce() {
        MeterFixture f;
        MainDialog& d = f.open();
        QCOMPARE(f.widget<QToolButton>("tbtn1")->text(), QString("固件升级"));
        QCOMPARE(headerText(f), QString("设备列表"));
        chooseEnglish(d);
        QCOMPARE(Setting().readValue("Language"), QString("English"));
        QCOMPARE(f.widget<QToolButton>("tbtn1")->text(), QString("Firmware update"));
        QCOMPARE(f.widget<QToolButton>("tbtn3")->text(), QString("Type-C detector"));
        QCOMPARE(headerText(f), QString("Devices"));
        chooseChinese(d);
        QCOMPARE(Setting().readValue("language"), QString("Chinese"));
        QCOMPARE(f.widget<QToolButton>("tbtn1")->text(), QString("固件升级"));
        QCOMPARE(headerText(f), QString("设备列表"));
    }

    // Only exactly "English" means English; anything else stored means Chinese.
    void storedLanguageIsAppliedAtStart_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("settingsButton");
        QTest::newRow("English") << "English"
                                 << "Setting";
        QTest::newRow("lower-case english") << "english"
                                            << "仪表参数设置";
        QTest::newRow("Chinese") << "Chinese"
                                 << "仪表参数设置";
    }
    void storedLanguageIsAppliedAtStart() {
        QFETCH(QString, stored);
        QFETCH(QString, settingsButton);
        MeterFixture f;
        Setting().writeValue("language", stored);
        f.open();
        QCOMPARE(f.widget<QToolButton>("tbtn2")->text(), settingsButton);
        QCOMPARE(headerText(f), QString(stored == "English" ? "Devices" : "设备列表"));
    }

    void choosingTheActiveLanguageOnlyStoresIt() {
        MeterFixture f;
        MainDialog& d = f.open();
        auto* title = f.widget<QLabel>("labTitle");
        title->setText("runtime text");
        chooseChinese(d);
        QCOMPARE(title->text(), QString("runtime text"));
        QCOMPARE(Setting().readValue("language"), QString("Chinese"));
        chooseEnglish(d);
        QCOMPARE(title->text(), QString("Home Menu"));
        title->setText("runtime text");
        chooseEnglish(d);
        QCOMPARE(title->text(), QString("runtime text"));
    }

    void liveValuesSurviveTheSwitch() {
        MeterFixture f;
        sim::Identity id;
        id.product = L"USB K82 V1.0";
        const int meter = sim::plug(id);
        MainDialog& d = f.open();
        QTRY_COMPARE_WITH_TIMEOUT(f.widget<QLabel>("disp_label_VOLT")->text(), QString("5.000000"),
                                  MeterFixture::linkTimeoutMs);
        sim::unplug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
        f.widget<QSlider>("settings_slider_standtime")->setValue(30);
        chooseEnglish(d);
        QCOMPARE(f.widget<QLabel>("disp_label_VOLT")->text(), QString("5.000000"));
        QCOMPARE(f.widget<QLabel>("settings_label_standtime")->text(), QString("30"));
        QCOMPARE(f.widget<QLabel>("upgrade_label_devvalue")->text(), QString("USB K82 V1.0"));
        QCOMPARE(f.widget<QLabel>("disp_labDevTiT")->text(), QString(" | K82 012345"));
        // The unplug paused the run: the button says so in the new language.
        QCOMPARE(f.widget<QAbstractButton>("disp_Btn_Run")->toolTip(),
                 QString("Waiting for the meter to come back"));
    }

    // retranslateUi puts the designer texts back over every glyph.
    void glyphsSurviveTheSwitch() {
        MeterFixture f;
        MainDialog& d = f.open();
        chooseEnglish(d);
        const QPair<const char*, char16_t> glyphs[] = {{"btnMenu_Close", Glyph::close},
                                                       {"btnMenu_Min", Glyph::minimise},
                                                       {"btnMenu_Max", Glyph::maximise},
                                                       {"btnMenu_Menu", Glyph::menu},
                                                       {"btnReturn", Glyph::homeReturn},
                                                       {"disp_btnReturn", Glyph::pageReturn},
                                                       {"settings_btnReturn", Glyph::pageReturn},
                                                       {"upgrade_btnReturn", Glyph::pageReturn},
                                                       {"settings_btnReturn_q7", Glyph::pageReturn},
                                                       {"six_btnReturn", Glyph::pageReturn}};
        for (const auto& [name, glyph] : glyphs)
            QCOMPARE(f.widget<QAbstractButton>(name)->text(), QString(QChar(glyph)));
        QCOMPARE(f.widget<QLabel>("title_icon_label")->text(), QString(QChar(Glyph::titleIcon)));
    }

    void cardKeepsItsValuesAndShowsItsStateInTheNewLanguage() {
        MeterFixture f;
        const int meter = sim::plug();
        MainDialog& d = f.open();
        chooseEnglish(d);
        QTRY_COMPARE(f.cardText("label_connect_type"), QString("Connect"));
        QCOMPARE(f.cardText("label_model"), QString("Model"));
        QCOMPARE(f.cardText("label_model_value"), QString("K82"));
        QCOMPARE(f.cardText("label_serial_value"), QString("012345"));
        QCOMPARE(f.cardText("label_version_value"), QString("V1.0"));
        sim::unplug(meter);
        QTRY_COMPARE_WITH_TIMEOUT(f.cardText("label_connect_type"), QString("Error"),
                                  MeterFixture::linkTimeoutMs);
        chooseChinese(d);
        QTRY_COMPARE(f.cardText("label_connect_type"), QString("错误"));
        QCOMPARE(f.cardText("label_model"), QString("型号"));
    }

    void inEnglishToolButtonsStillNavigateButShortcutTitlesStayChinese() {
        MeterFixture f;
        MainDialog& d = f.open();
        chooseEnglish(d);
        f.widget<QAbstractButton>("disp_btnReturn")->click();
        f.widget<QToolButton>("tbtn6")->click();
        QCOMPARE(f.pages()->currentIndex(), 6);
        QCOMPARE(f.widget<QLabel>("six_labTitle")->text(), QString("Capacity detector"));
        f.widget<QAbstractButton>("six_btnReturn")->click();
        f.widget<QToolButton>("tbtn2")->click();
        QCOMPARE(f.pages()->currentIndex(), 3);
        QCOMPARE(f.widget<QLabel>("settings_labTitle")->text(), QString("Setting"));
        f.widget<QAbstractButton>("settings_btnReturn")->click();
        f.widget<QToolButton>("tbtn3")->click();
        f.widget<QAbstractButton>("disp_btnSysSet")->click();
        QCOMPARE(f.widget<QLabel>("settings_labTitle")->text(), QString("仪表参数设置"));
    }
};

QTEST_MAIN(LanguageTest)
#include "test_language.moc"
