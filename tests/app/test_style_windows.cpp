#include "CurveStyleTable.h"
#include "MeterFixture.h"
#include "Setting.h"
#include "customcoordinates.h"

#include <QPushButton>
#include <QTableView>
#include <QtTest>

class StyleWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void rangeButtonShowsAndHidesThePanelCentredOnTheDialog() {
        MeterFixture f;
        MainDialog& d = f.open();
        d.move(40, 30);
        customcoordinates* panel = d.customAxisPanel();
        QVERIFY(panel->isHidden());
        auto* button = f.widget<QPushButton>("disp_btn_RangCustom");
        button->click();
        QVERIFY(panel->isVisible());
        QVERIFY(panel->isWindow());
        QCOMPARE(panel->pos(), QPoint(40 + (d.width() - panel->width()) / 2 - 10,
                                      30 + (d.height() - panel->height()) / 2 - 10));
        button->click();
        QVERIFY(panel->isHidden());
        button->click();
        d.reject(); // a panel left open would keep the program running
        QVERIFY(panel->isHidden());
    }

    void curveSettingsEntryLaysTheTableOverTheDisplayPage() {
        MeterFixture f;
        Setting().writeValue("IBUS_lw", "3.0");
        MainDialog& d = f.open();
        QCOMPARE(d.curveStyleSettings().pen(IBUS).widthF(), 3.0);
        QVERIFY(!d.curveStyleTable()->shownTable());
        QMetaObject::invokeMethod(&d, "onAct3Clicked_Slot");
        QTableView* table = d.curveStyleTable()->shownTable();
        QVERIFY(table);
        QCOMPARE(table->parentWidget(), f.widget<QWidget>("widget"));
    }

    // How the panel relabels is test_custom_axis_panel's; the dialog's switch reaches it.
    void languageSwitchRelabelsThePanelAndKeepsItsSwitches() {
        MeterFixture f;
        MainDialog& d = f.open();
        customcoordinates* panel = d.customAxisPanel();
        panel->switchButton(CC2)->click();
        QMetaObject::invokeMethod(&d, "onS_Act2Clicked_Slot");
        QTRY_COMPARE(panel->findChild<QLabel*>("label_max")->text(), QString("Maximum value"));
        QCOMPARE(panel->switchButton(CC2)->text(), QString("Enable"));
    }
};

QTEST_MAIN(StyleWindowsTest)
#include "test_style_windows.moc"
