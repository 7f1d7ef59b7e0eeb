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

    void storedEnglishIsAppliedAtStart() {
        MeterFixture f;
        Setting().writeValue("language", "English");
        f.open();
        QCOMPARE(f.widget<QToolButton>("tbtn2")->text(), QString("Setting"));
        QCOMPARE(headerText(f), QString("Devices"));
    }

    void storedTextOtherThanExactlyEnglishMeansChinese() {
        MeterFixture f;
        Setting().writeValue("language", "english");
        f.open();
        QCOMPARE(f.widget<QToolButton>("tbtn2")->text(), QString("仪表参数设置"));
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

    void glyphsSurviveTheSwitch() {
        MeterFixture f;
        MainDialog& d = f.open();
        chooseEnglish(d);
        QCOMPARE(f.widget<QAbstractButton>("btnMenu_Close")->text(), QString(QChar(0xF00D)));
        QCOMPARE(f.widget<QAbstractButton>("btnMenu_Min")->text(), QString(QChar(0xF068)));
        QCOMPARE(f.widget<QAbstractButton>("btnMenu_Max")->text(), QString(QChar(0xF2D0)));
        QCOMPARE(f.widget<QAbstractButton>("btnMenu_Menu")->text(), QString(QChar(0xF150)));
        QCOMPARE(f.widget<QLabel>("title_icon_label")->text(), QString(QChar(0xF2D5)));
        QCOMPARE(f.widget<QAbstractButton>("btnReturn")->text(), QString(QChar(0xF073)));
        QCOMPARE(f.widget<QAbstractButton>("settings_btnReturn")->text(), QString(QChar(0xF122)));
        QCOMPARE(f.widget<QAbstractButton>("upgrade_btnReturn")->text(), QString(QChar(0xF122)));
        QCOMPARE(f.widget<QAbstractButton>("settings_btnReturn_q7")->text(),
                 QString(QChar(0xF122)));
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
