// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dashboard.h"

#include "DashboardFormat.h"
#include "Glyphs.h"
#include "IconHelper.h"
#include "MainTr.h"
#include "ui_MainDialog.h"

#include <QIcon>
#include <QPixmap>

namespace {

const char* const awaitingColour = "#F0A030";
const char* const arrowDown = "image: url(:/sys/rs/rs/down.png)";
const char* const arrowUp = "image: url(:/sys/rs/rs/up.png)";
constexpr quint8 directionDown = 0;
constexpr quint8 directionUp = 1;
constexpr quint8 directionNone = 2;

const char* const vbusChunk =
    "QProgressBar{border-radius: 5px;}QProgressBar::chunk {border-radius: "
    "5px;background: rgb(85, 255, 0);}";
const char* const ibusChunk =
    "QProgressBar{border-radius: 5px;}QProgressBar::chunk {border-radius: "
    "5px;background: rgb(0, 240, 244);}";
const char* const powerChunk = "QProgressBar{border-radius: 5px;}QProgressBar::chunk "
                               "{border-radius: 5px;background: rgb(255, 217, 25);}";
const char* const saturatedChunk = "QProgressBar{border-radius: 5px;}QProgressBar::chunk "
                                   "{border-radius: 5px;background: rgb(230, 0, 0);}";

void showGauge(QProgressBar* bar, float value, float fullScale, const char* chunk) {
    const GaugeLevel level = gaugeLevel(value, fullScale);
    bar->setStyleSheet(QString::fromLatin1(level.saturated ? saturatedChunk : chunk));
    bar->setValue(level.value);
}

} // namespace

Dashboard::Dashboard(Ui::MainDialog* ui, QObject* parent) : QObject(parent), ui(ui) {}

void Dashboard::showCaption(const QString& modelWord, const QString& serialPrefix) {
    ui->disp_labDevTiT->setText(QStringLiteral(" | ") + modelWord + QLatin1Char(' ') +
                                serialPrefix);
}

void Dashboard::showReading(const MeterReading& r) {
    ui->disp_label_VOLT->setText(formatLargeReading(r.vbus));
    ui->disp_label_CURR->setText(formatLargeReading(r.ibus));
    ui->disp_label_POWE->setText(formatLargeReading(r.power));
    ui->disp_label_DP_VALUE->setText(formatLineVoltage(r.dp));
    ui->disp_label_DM_VALUE->setText(formatLineVoltage(r.dm));
    ui->disp_label_CC1_VALUE->setText(formatLineVoltage(r.cc1));
    ui->disp_label_CC2_VALUE->setText(formatLineVoltage(r.cc2));
    ui->disp_label_CPU_VALUE->setText(formatTemperature(r.cpuTemp));
    showDirection(r.currentDir);
    showGauges(r);
    ui->settings_lab_voltvalue->setText(ui->disp_label_VOLT->text());
    ui->settings_lab_currvalue->setText(ui->disp_label_CURR->text());
    ui->settings_lab_tempvalue->setText(ui->disp_label_CPU_VALUE->text());
    floatingInput = showFloatingInputHint(r.vbus);
    relabel();
}

void Dashboard::relabel() {
    ui->disp_label_VBUS_Tips->setText(floatingInput ? trMain("(输入悬空时有感应电压是正常现象)")
                                                    : QStringLiteral(" "));
}

void Dashboard::showRunState(Acquisition::RunState state) {
    QPushButton* run = ui->disp_Btn_Run;
    switch (state) {
    case Acquisition::RunState::Running:
        run->setIcon(QIcon(QPixmap(QStringLiteral(":/sys/rs/rs/pause.png"))));
        run->setToolTip(trMain("停止"));
        break;
    case Acquisition::RunState::Stopped:
        run->setIcon(QIcon(QPixmap(QStringLiteral(":/sys/rs/rs/run.png"))));
        run->setToolTip(trMain("运行"));
        break;
    case Acquisition::RunState::Paused:
        run->setIcon(QIcon(IconHelper::Instance()->getPixmap(
            QString::fromLatin1(awaitingColour), QChar(Glyph::awaitingMeter), Glyph::runButtonSize,
            run->width(), run->height())));
        run->setToolTip(awaitingMeterText());
        break;
    }
}

QString Dashboard::awaitingMeterText() {
    return trMain("等待仪表重新连接");
}

void Dashboard::showDirection(quint8 direction) {
    switch (direction) {
    case directionDown:
        ui->disp_label_ImageDir->setStyleSheet(QString::fromLatin1(arrowDown));
        break;
    case directionUp:
        ui->disp_label_ImageDir->setStyleSheet(QString::fromLatin1(arrowUp));
        break;
    case directionNone:
        ui->disp_label_ImageDir->setStyleSheet(QString());
        break;
    default:
        break;
    }
}

void Dashboard::showGauges(const MeterReading& r) {
    showGauge(ui->progressBar_VBUS, r.vbus, Gauge::vbusFullScale, vbusChunk);
    showGauge(ui->progressBar_IBUS, r.ibus, Gauge::ibusFullScale, ibusChunk);
    showGauge(ui->progressBar_Power, r.power, Gauge::powerFullScale, powerChunk);
}
