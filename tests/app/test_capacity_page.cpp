// SPDX-License-Identifier: GPL-3.0-or-later
#include "CapacityPage.h"
#include "ScopedWorkDir.h"
#include "Setting.h"
#include "SettingKeys.h"
#include "ui_MainDialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTranslator>
#include <QtTest>

// The battery capacity page on a bare form, its clock driven by the test.
class CapacityPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        nowMs = 5000;
        build();
    }
    void cleanup() {
        form.reset();
        workDir.reset();
    }

    // The buttons and labels around one test run (the totals themselves:
    // test_capacity_meter): nothing before start or while paused, the end shown with its
    // reason, and reset back to the start.
    void aRunShowsItsTotalsPausesEndsAndResets() {
        feed(10, 5.0f, 1.0f);
        QCOMPARE(text("six_label_state"), QString("未开始"));
        click("six_btn_start");
        feed(3601, 5.0f, 2.0f);
        QCOMPARE(text("six_label_charge"), QString("2000.0"));
        QCOMPARE(text("six_label_energy"), QString("10.000"));
        QCOMPARE(text("six_label_elapsed"), QString("01:00:00"));
        QVERIFY(!button("six_btn_start")->isEnabled());
        QVERIFY(ui->six_label_tips->isHidden());
        click("six_btn_pause");
        QCOMPARE(text("six_label_state"), QString("已暂停"));
        QVERIFY(!button("six_btn_pause")->isEnabled());
        feed(100, 5.0f, 1.0f);
        QCOMPARE(text("six_label_elapsed"), QString("01:00:00"));
        click("six_btn_start");
        feed(61, 4.0f, 0.01f);
        QVERIFY(text("six_label_state").startsWith("已结束：电流持续低于结束电流，"));
        QVERIFY(button("six_btn_start")->isEnabled());
        click("six_btn_reset");
        QCOMPARE(text("six_label_charge"), QString("0.0"));
        QCOMPARE(text("six_label_state"), QString("未开始"));
    }

    void endConditionsAreStoredWhenChangedAndReadAtStart() {
        QVERIFY(!QFile::exists(Setting::filePath())); // nothing written by merely opening
        form->findChild<QDoubleSpinBox*>("six_spin_endcurrent")->setValue(0.1);
        form->findChild<QSpinBox*>("six_spin_endhold")->setValue(30);
        form->findChild<QCheckBox*>("six_check_cutoff")->setChecked(true);
        form->findChild<QDoubleSpinBox*>("six_spin_cutoff")->setValue(3.3);
        QCOMPARE(Setting().readValue(SettingKey::capacityEndCurrent), QString("0.100"));
        QCOMPARE(Setting().readValue(SettingKey::capacityEndHoldSecs), QString("30"));
        QCOMPARE(Setting().readValue(SettingKey::capacityCutOffOn), QString("1"));
        QCOMPARE(Setting().readValue(SettingKey::capacityCutOffVolts), QString("3.30"));
        build(); // reads them back
        QCOMPARE(page->meter().limits().endCurrentAmps, 0.1);
        QCOMPARE(page->meter().limits().endHoldSecs, 30);
        QVERIFY(page->meter().limits().cutOffEnabled);
        QCOMPARE(page->meter().limits().cutOffVolts, 3.3);
        click("six_btn_start");
        feed(2, 3.2f, 1.0f);
        QVERIFY(text("six_label_state").startsWith("已结束：电压低于截止电压，"));
    }

    void unusableStoredValuesFallBackToTheDefaults() {
        Setting().writeValue(SettingKey::capacityEndCurrent, "lots");
        Setting().writeValue(SettingKey::capacityEndHoldSecs, "-5");
        Setting().writeValue(SettingKey::capacityCutOffOn, "yes");
        Setting().writeValue(SettingKey::capacityCutOffVolts, "1e9");
        build();
        const CapacityMeter::Limits defaults;
        QCOMPARE(page->meter().limits().endCurrentAmps, defaults.endCurrentAmps);
        QCOMPARE(page->meter().limits().endHoldSecs, defaults.endHoldSecs);
        QVERIFY(!page->meter().limits().cutOffEnabled);
        QCOMPARE(page->meter().limits().cutOffVolts, defaults.cutOffVolts);
    }

    void theTextsFollowTheLanguage() {
        QTranslator english;
        QVERIFY(english.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&english);
        page->relabel();
        QCOMPARE(button("six_btn_start")->text(), QString("Start"));
        QCOMPARE(text("six_label_state"), QString("Not started"));
        QCOMPARE(text("six_label_charge_name"), QString("Charge (mAh)"));
        QCoreApplication::removeTranslator(&english);
        page->relabel();
        QCOMPARE(button("six_btn_start")->text(), QString("开始"));
    }

private:
    void build() {
        form = std::make_unique<QDialog>();
        ui = std::make_unique<Ui::MainDialog>();
        ui->setupUi(form.get());
        page = new CapacityPage(
            ui.get(), [this] { return nowMs; }, form.get());
    }
    void feed(int reports, float volts, float amps) {
        MeterReading r;
        r.vbus = volts;
        r.ibus = amps;
        r.power = volts * amps;
        for (int i = 0; i < reports; ++i) {
            page->addReading(r);
            nowMs += 1000;
        }
    }
    QString text(const char* label) const { return form->findChild<QLabel*>(label)->text(); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(name); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<QDialog> form;
    std::unique_ptr<Ui::MainDialog> ui;
    CapacityPage* page = nullptr;
    qint64 nowMs = 0;
};

QTEST_MAIN(CapacityPageTest)
#include "test_capacity_page.moc"
