// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dashboard.h"
#include "MeterReading.h"
#include "SettingsPages.h"
#include "ui_MainDialog.h"

#include <QDialog>
#include <QtTest>

// The dashboard and settings pages on a bare form: what a reading looks like.
class DashboardTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        form = std::make_unique<QDialog>();
        ui = std::make_unique<Ui::MainDialog>();
        ui->setupUi(form.get());
        dashboard = new Dashboard(ui.get(), form.get());
        pages = new SettingsPages(
            ui.get(), [](const QByteArray&) {}, form.get());
    }
    void cleanup() {
        ui.reset();
        form.reset();
    }

    // Each reading reaches its own labels in its own format (the formats' boundaries are
    // test_dashboard_format's); distinct values catch crossed wiring. Direction values
    // other than the three known ones leave the arrow alone.
    void everyReadingReachesItsLabelsFormatted() {
        MeterReading r;
        r.vbus = 2.99f;
        r.ibus = 10.0f;
        r.power = 100.0f;
        r.dp = 0.6f;
        r.dm = 2.7f;
        r.cc1 = 1.68f;
        r.cc2 = 0.0f;
        r.cpuTemp = 36.5f;
        r.currentDir = 1;
        dashboard->showReading(r);
        QCOMPARE(ui->disp_label_VOLT->text(), QString("2.990000"));
        QCOMPARE(ui->disp_label_CURR->text(), QString("10.00000"));
        QCOMPARE(ui->disp_label_POWE->text(), QString("100.0000"));
        QCOMPARE(ui->settings_lab_voltvalue->text(), QString("2.990000"));
        QCOMPARE(ui->settings_lab_currvalue->text(), QString("10.00000"));
        QCOMPARE(ui->disp_label_DP_VALUE->text(), QString("0.600"));
        QCOMPARE(ui->disp_label_DM_VALUE->text(), QString("2.700"));
        QCOMPARE(ui->disp_label_CC1_VALUE->text(), QString("1.680"));
        QCOMPARE(ui->disp_label_CC2_VALUE->text(), QString("0.000"));
        QCOMPARE(ui->disp_label_CPU_VALUE->text(), QString("36.5"));
        QCOMPARE(ui->settings_lab_tempvalue->text(), QString("36.5"));
        QCOMPARE(ui->disp_label_VBUS_Tips->text(), QString("(输入悬空时有感应电压是正常现象)"));
        QVERIFY(ui->disp_label_ImageDir->styleSheet().contains("up.png"));
        r.vbus = 3.0f;
        r.currentDir = 3;
        dashboard->showReading(r);
        QCOMPARE(ui->disp_label_VBUS_Tips->text(), QString(" "));
        QVERIFY(ui->disp_label_ImageDir->styleSheet().contains("up.png"));
        r.currentDir = 0;
        dashboard->showReading(r);
        QVERIFY(ui->disp_label_ImageDir->styleSheet().contains("down.png"));
        r.currentDir = 2;
        dashboard->showReading(r);
        QVERIFY(ui->disp_label_ImageDir->styleSheet().isEmpty());
    }

    // One reading per gauge, distinct, and the saturated one red (levels: test_dashboard_format).
    void gaugesShowTheirLevelsAndSaturateRed() {
        MeterReading r;
        r.vbus = 5.0f;
        r.ibus = 3.25f;
        r.power = 325.0f;
        dashboard->showReading(r);
        QCOMPARE(ui->progressBar_VBUS->value(), 21);
        QVERIFY(ui->progressBar_VBUS->styleSheet().contains("rgb(85, 255, 0)"));
        QCOMPARE(ui->progressBar_IBUS->value(), 56);
        QCOMPARE(ui->progressBar_Power->value(), 100);
        QVERIFY(ui->progressBar_Power->styleSheet().contains("rgb(230, 0, 0)"));
    }

    // Reduced models get language, brightness and motor on their own page, the others on
    // the general one; standby, style and factors always go to the general page. Values
    // outside a slider's range are left off the page, not clamped into it, and unknown
    // ones leave the choice shown (minimum current windows: test_dashboard_format).
    void reportedSettingsReachTheModelsPage() {
        MeterReading r;
        r.workBrightness = 5; // the reduced page runs from 10 to 100
        r.standbyTime = 0;    // 10..60
        r.standbyBrightness = 200;
        pages->applyReportedSettings(r, "Q7");
        QCOMPARE(ui->settings_slider_worklight_q7->value(), 10);
        QCOMPARE(ui->settings_slider_standtime->value(), 60);
        QCOMPARE(ui->settings_slider_standlight->value(), 0);
        r.language = 1;
        r.workBrightness = 40;
        r.rotationSwitch = 1;
        r.standbyBrightness = 4;
        r.standbyTime = 10;
        r.standbyStyle = 2;
        r.voltCalFactor = 1.234f;
        r.currCalFactor = 0.5f;
        r.tempCalFactor = 2.0f;
        const QString generalLanguageStyle = ui->settings_btn_EN->styleSheet();
        pages->applyReportedSettings(r, "K82");
        QVERIFY(isSelected(ui->settings_btn_EN_q7));
        QVERIFY(!isSelected(ui->settings_btn_CN_q7));
        QCOMPARE(ui->settings_slider_worklight_q7->value(), 40);
        QVERIFY(isSelected(ui->settings_btn_M_open_q7));
        QCOMPARE(ui->settings_slider_worklight->value(), 1);
        QCOMPARE(ui->settings_btn_EN->styleSheet(), generalLanguageStyle);
        QCOMPARE(ui->settings_slider_standlight->value(), 4);
        QCOMPARE(ui->settings_slider_standtime->value(), 10);
        QVERIFY(isSelected(ui->settings_btn_style2));
        QVERIFY(!isSelected(ui->settings_btn_style1));
        QCOMPARE(ui->settings_lab_califact_voltvalue->text(), QString("1.234"));
        QCOMPARE(ui->settings_lab_califact_currvalue->text(), QString("0.500"));
        QCOMPARE(ui->settings_lab_califact_tempvalue->text(), QString("2.000"));
        r.language = 0;
        r.workBrightness = 7;
        r.rotationSwitch = 0;
        r.standbyStyle = 9;
        pages->applyReportedSettings(r, "k82");
        QVERIFY(isSelected(ui->settings_btn_CN));
        QCOMPARE(ui->settings_slider_worklight->value(), 7);
        QVERIFY(isSelected(ui->settings_btn_G_close));
        QVERIFY(isSelected(ui->settings_btn_style2));
        pages->showMinCurrent(0.02f);
        QVERIFY(!isSelected(ui->settings_btn_10ma) && !isSelected(ui->settings_btn_0A));
        pages->showMinCurrent(0.015f); // outside every window: the choice stays
        QVERIFY(isSelected(ui->settings_btn_20ma));
    }

private:
    static bool isSelected(const QWidget* button) {
        return button->styleSheet().startsWith("QPushButton{background-color: rgb(0, 170, 0);}");
    }

    std::unique_ptr<QDialog> form;
    std::unique_ptr<Ui::MainDialog> ui;
    Dashboard* dashboard = nullptr;
    SettingsPages* pages = nullptr;
};

QTEST_MAIN(DashboardTest)
#include "test_dashboard.moc"
