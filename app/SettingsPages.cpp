// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsPages.h"

#include "CommandFrame.h"
#include "DashboardFormat.h"
#include "ReducedSettingsModels.h"
#include "ui_MainDialog.h"

namespace {

const char* const selectedStyle =
    "QPushButton{background-color: rgb(0, 170, 0);}QPushButton:hover{background-color:rgb(126, "
    "255, 206); color: black;}QPushButton:pressed{background-color:rgb(0, 255, 0);border-style: "
    "inset;}";
const char* const unselectedStyle =
    "QPushButton{background-color: rgb(72, 72, 72);}QPushButton:hover{background-color:rgb(126, "
    "255, 206); color: black;}QPushButton:pressed{background-color:rgb(0, 255, 0);border-style: "
    "inset;}";

constexpr quint8 languageChinese = 0;
constexpr quint8 languageEnglish = 1;
constexpr quint8 switchOff = 0;
constexpr quint8 switchOn = 1;

// An on/off pair shown from a reported byte; values other than the two leave it alone.
void showPair(quint8 value, quint8 firstValue, quint8 secondValue, QPushButton* first,
              QPushButton* second) {
    if (value == firstValue)
        SettingsPages::select(first, {first, second});
    else if (value == secondValue)
        SettingsPages::select(second, {first, second});
}

// A reported value outside the slider's range is left off the page: clamping it would
// send the meter a value it never reported.
void placeReported(QSlider* slider, int value) {
    if (value >= slider->minimum() && value <= slider->maximum())
        slider->setValue(value);
}

} // namespace

SettingsPages::SettingsPages(Ui::MainDialog* ui, FrameSink send, QObject* parent)
    : QObject(parent), ui(ui), send(std::move(send)) {}

void SettingsPages::select(QPushButton* chosen, std::initializer_list<QPushButton*> group) {
    for (QPushButton* button : group)
        button->setStyleSheet(
            QString::fromLatin1(button == chosen ? selectedStyle : unselectedStyle));
}

void SettingsPages::choose(QPushButton* chosen, std::initializer_list<QPushButton*> group,
                           quint8 code) {
    select(chosen, group);
    command(code);
}

void SettingsPages::command(quint8 code) {
    send(commandFrame(code));
}

void SettingsPages::integerSetting(QLabel* label, int position, quint8 code) {
    label->setText(QString::number(position));
    send(commandFrame(code, static_cast<quint8>(position)));
}

void SettingsPages::calibration(QLabel* label, int sliderValue, quint8 code) {
    label->setText(QString::number(calibrationFactor(sliderValue), 'f', 3));
    send(calibrationFrame(code, sliderValue));
}

void SettingsPages::applyReportedSettings(const MeterReading& r, const QString& modelWord) {
    if (isReducedSettingsModel(modelWord)) {
        showPair(r.language, languageChinese, languageEnglish, ui->settings_btn_CN_q7,
                 ui->settings_btn_EN_q7);
        placeReported(ui->settings_slider_worklight_q7, r.workBrightness);
        showPair(r.rotationSwitch, switchOn, switchOff, ui->settings_btn_M_open_q7,
                 ui->settings_btn_M_close_q7);
    } else {
        showPair(r.language, languageChinese, languageEnglish, ui->settings_btn_CN,
                 ui->settings_btn_EN);
        placeReported(ui->settings_slider_worklight, r.workBrightness);
        showPair(r.rotationSwitch, switchOn, switchOff, ui->settings_btn_G_open,
                 ui->settings_btn_G_close);
    }
    placeReported(ui->settings_slider_standlight, r.standbyBrightness);
    placeReported(ui->settings_slider_standtime, r.standbyTime);
    QPushButton* const styles[] = {ui->settings_btn_style1, ui->settings_btn_style2,
                                   ui->settings_btn_style3};
    if (r.standbyStyle >= 1 && r.standbyStyle <= 3)
        select(styles[r.standbyStyle - 1], {styles[0], styles[1], styles[2]});
    ui->settings_lab_califact_voltvalue->setText(QString::number(r.voltCalFactor, 'f', 3));
    ui->settings_lab_califact_currvalue->setText(QString::number(r.currCalFactor, 'f', 3));
    ui->settings_lab_califact_tempvalue->setText(QString::number(r.tempCalFactor, 'f', 3));
}

void SettingsPages::showMinCurrent(float minCurrent) {
    QPushButton* const buttons[] = {ui->settings_btn_0A, ui->settings_btn_10ma,
                                    ui->settings_btn_20ma};
    switch (minCurrentChoice(minCurrent)) {
    case MinCurrentChoice::ZeroAmp:
        select(buttons[0], {buttons[0], buttons[1], buttons[2]});
        break;
    case MinCurrentChoice::TenMilliamp:
        select(buttons[1], {buttons[0], buttons[1], buttons[2]});
        break;
    case MinCurrentChoice::TwentyMilliamp:
        select(buttons[2], {buttons[0], buttons[1], buttons[2]});
        break;
    case MinCurrentChoice::Unchanged:
        break;
    }
}
