// SPDX-License-Identifier: GPL-3.0-or-later
// The meter settings pages' slots: each names its control and its command.
#include "MainDialog.h"

#include "CommandFrame.h"
#include "SettingsPages.h"
#include "ui_MainDialog.h"

void MainDialog::on_settings_btn_CN_clicked() {
    settingsPages->choose(ui->settings_btn_CN, {ui->settings_btn_CN, ui->settings_btn_EN},
                          Command::languageChinese);
}
void MainDialog::on_settings_btn_EN_clicked() {
    settingsPages->choose(ui->settings_btn_EN, {ui->settings_btn_CN, ui->settings_btn_EN},
                          Command::languageEnglish);
}
void MainDialog::on_settings_slider_worklight_valueChanged(int position) {
    settingsPages->integerSetting(ui->settings_label_worklight, position, Command::workBrightness);
}
void MainDialog::on_settings_slider_standlight_valueChanged(int position) {
    settingsPages->integerSetting(ui->settings_label_standlight, position,
                                  Command::standbyBrightness);
}
void MainDialog::on_settings_slider_standtime_valueChanged(int position) {
    settingsPages->integerSetting(ui->settings_label_standtime, position, Command::standbyTime);
}
void MainDialog::on_settings_btn_style1_clicked() {
    settingsPages->choose(
        ui->settings_btn_style1,
        {ui->settings_btn_style1, ui->settings_btn_style2, ui->settings_btn_style3},
        Command::standbyStyle1);
}
void MainDialog::on_settings_btn_style2_clicked() {
    settingsPages->choose(
        ui->settings_btn_style2,
        {ui->settings_btn_style1, ui->settings_btn_style2, ui->settings_btn_style3},
        Command::standbyStyle2);
}
void MainDialog::on_settings_btn_style3_clicked() {
    settingsPages->choose(
        ui->settings_btn_style3,
        {ui->settings_btn_style1, ui->settings_btn_style2, ui->settings_btn_style3},
        Command::standbyStyleOriginal);
}
void MainDialog::on_settings_btn_clearcurrent_clicked() {
    settingsPages->command(Command::zeroNoLoadCurrent);
}
void MainDialog::on_settings_btn_factory_reset_clicked() {
    settingsPages->command(Command::factoryReset);
}
void MainDialog::on_settings_btn_datazero_clicked() {
    settingsPages->command(Command::clearAccumulated);
}
void MainDialog::on_settings_slider_voltcali_valueChanged(int value) {
    settingsPages->calibration(ui->settings_lab_califact_voltvalue, value,
                               Command::voltageCalibration);
}
void MainDialog::on_settings_slider_currcali_valueChanged(int value) {
    settingsPages->calibration(ui->settings_lab_califact_currvalue, value,
                               Command::currentCalibration);
}
void MainDialog::on_settings_slider_tempcali_valueChanged(int value) {
    settingsPages->calibration(ui->settings_lab_califact_tempvalue, value,
                               Command::temperatureCalibration);
}
void MainDialog::on_settings_btn_0A_clicked() {
    settingsPages->choose(ui->settings_btn_0A,
                          {ui->settings_btn_0A, ui->settings_btn_10ma, ui->settings_btn_20ma},
                          Command::minCurrentZero);
}
void MainDialog::on_settings_btn_10ma_clicked() {
    settingsPages->choose(ui->settings_btn_10ma,
                          {ui->settings_btn_0A, ui->settings_btn_10ma, ui->settings_btn_20ma},
                          Command::minCurrent10mA);
}
void MainDialog::on_settings_btn_20ma_clicked() {
    settingsPages->choose(ui->settings_btn_20ma,
                          {ui->settings_btn_0A, ui->settings_btn_10ma, ui->settings_btn_20ma},
                          Command::minCurrent20mA);
}
void MainDialog::on_settings_btn_G_open_clicked() {
    settingsPages->choose(ui->settings_btn_G_open,
                          {ui->settings_btn_G_open, ui->settings_btn_G_close}, Command::switchOn);
}
void MainDialog::on_settings_btn_G_close_clicked() {
    settingsPages->choose(ui->settings_btn_G_close,
                          {ui->settings_btn_G_open, ui->settings_btn_G_close}, Command::switchOff);
}
void MainDialog::on_settings_btn_CN_q7_clicked() {
    settingsPages->choose(ui->settings_btn_CN_q7, {ui->settings_btn_CN_q7, ui->settings_btn_EN_q7},
                          Command::languageChinese);
}
void MainDialog::on_settings_btn_EN_q7_clicked() {
    settingsPages->choose(ui->settings_btn_EN_q7, {ui->settings_btn_CN_q7, ui->settings_btn_EN_q7},
                          Command::languageEnglish);
}
void MainDialog::on_settings_slider_worklight_q7_valueChanged(int value) {
    settingsPages->integerSetting(ui->settings_label_worklight_q7, value, Command::workBrightness);
}
void MainDialog::on_settings_btn_M_open_q7_clicked() {
    settingsPages->choose(ui->settings_btn_M_open_q7,
                          {ui->settings_btn_M_open_q7, ui->settings_btn_M_close_q7},
                          Command::switchOn);
}
void MainDialog::on_settings_btn_M_close_q7_clicked() {
    settingsPages->choose(ui->settings_btn_M_close_q7,
                          {ui->settings_btn_M_open_q7, ui->settings_btn_M_close_q7},
                          Command::switchOff);
}
void MainDialog::on_settings_btn_clearcurrent_q7_clicked() {
    settingsPages->command(Command::zeroNoLoadCurrent);
}
void MainDialog::on_settings_btn_datazero_q7_clicked() {
    settingsPages->command(Command::clearAccumulated);
}
