// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveStyleTable.h"
#include "MeterFixture.h"
#include "Setting.h"
#include "customcoordinates.h"
#include "saveDataDeal.h"

#include <QPushButton>
#include <QTableView>
#include <QtTest>

class StyleWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // The panel lies over the chart, centred on the dialog, and goes with the window when it
    // moves or grows; of the panel and the curve style table (its stored pens applied) the
    // one opened last is on top. The range button is lit while a range is on, also after a
    // language switch, which relabels the tips bar's line about the opened file.
    void rangePanelStaysCentredLitAndUnderTheLastOpenedTable() {
        MeterFixture f;
        Setting().writeValue("IBUS_lw", "3.0");
        SampleStore recording;
        for (int i = 0; i < 3; ++i)
            recording.append(1709647629 + i, {});
        QVERIFY(saveDataDeal::saveData(recording, "rec %3 %2.csv").ok);
        MainDialog& d = f.open();
        QCOMPARE(d.curveStyleSettings().pen(IBUS).widthF(), 3.0);
        d.openRecording("rec %3 %2.csv");
        d.show();
        d.move(40, 30);
        customcoordinates* panel = d.customAxisPanel();
        const auto centred = [&d, panel] {
            return QPoint(d.x() + (d.width() - panel->width()) / 2 - 10,
                          d.y() + (d.height() - panel->height()) / 2 - 10);
        };
        QVERIFY(panel->isHidden());
        QMetaObject::invokeMethod(&d, "onAct3Clicked_Slot");
        auto* button = f.widget<QPushButton>("disp_btn_RangCustom");
        const auto lit = [button] {
            return button->styleSheet().section(":hover", 0, 0).contains("rgb(255, 255, 0)");
        };
        button->click();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->mapToGlobal(QPoint()), centred());
        const auto onTop = [panel, &d] {
            const QObjectList stack = panel->parentWidget()->children();
            QTableView* table = d.curveStyleTable()->shownTable();
            return stack.indexOf(panel) > stack.indexOf(table) ? "panel" : "table";
        };
        QCOMPARE(onTop(), "panel");
        QMetaObject::invokeMethod(&d, "onAct3Clicked_Slot");
        QCOMPARE(onTop(), "table");
        d.move(140, 80);
        QCOMPARE(panel->mapToGlobal(QPoint()), centred());
        d.resize(1600, 1000);
        QTRY_COMPARE(panel->mapToGlobal(QPoint()), centred());
        QVERIFY(!lit());
        panel->switchButton(CC2)->click();
        QVERIFY(lit());
        QMetaObject::invokeMethod(&d, "onS_Act2Clicked_Slot");
        QVERIFY(lit());
        QCOMPARE(f.widget<QLabel>("label_left_tips")->text(),
                 QString("Opened rec %3 %2.csv: 3 records, 0 lines skipped"));
        button->click();
        QVERIFY(panel->isHidden());
    }

    // Wider (maximised) and back: the header's controls keep their distance from the
    // chart's right edge, so no strip is left without them, and the title stays centred.
    void headerControlsFollowTheChartsRightEdgeAtEverySize() {
        MeterFixture f;
        sim::plug(); // the dashboard page is the one shown
        MainDialog& d = f.open();
        d.show();
        auto* chart = f.widget<QWidget>("widget");
        const auto gaps = [&f, chart] {
            QList<int> gap;
            for (const char* name : {"disp_btnSysSet", "disp_btnUpgrade", "disp_Btn_Run",
                                     "disp_btn_dp_dm", "disp_btn_RangCustom", "disp_btn_menu"})
                gap << chart->geometry().right() - f.widget<QWidget>(name)->geometry().right();
            gap << chart->geometry().center().x() -
                       f.widget<QWidget>("disp_labTitle")->geometry().center().x();
            return gap;
        };
        const QList<int> normal = gaps();
        for (const QSize size : {QSize(1700, 1000), QSize(1232, 900), QSize(1500, 950)}) {
            d.resize(size);
            QTRY_COMPARE(chart->width(), f.pages()->width() - 20);
            QCOMPARE(gaps(), normal);
        }
    }
};

QTEST_MAIN(StyleWindowsTest)
#include "test_style_windows.moc"
