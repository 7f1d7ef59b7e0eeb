// SPDX-License-Identifier: GPL-3.0-or-later
#include "Navigator.h"

#include "CommandFrame.h"
#include "Glyphs.h"
#include "IconHelper.h"
#include "MainTr.h"
#include "ReducedSettingsModels.h"
#include "ui_MainDialog.h"

#include <QAbstractButton>

namespace {

const char* const upgradeText = "固件升级";
const char* const settingsText = "仪表参数设置";
const char* const typeCText = "Type-C充电检测";
const char* const triggerText = "快充协议高压触发";
const char* const detectText = "快充协议自动检测";
const char* const batteryText = "电池容量电量检测";
const char* const homeTitle = "USB测试仪主界面";
constexpr int progressMaximum = 100;

} // namespace

Navigator::Navigator(Ui::MainDialog* ui, CommandSink sendCommand, ModelSource modelWord,
                     QObject* parent)
    : QObject(parent), ui(ui), sendCommand(std::move(sendCommand)),
      modelWord(std::move(modelWord)) {}

QStringList Navigator::toolButtonTexts() {
    return {trMain(upgradeText), trMain(settingsText), trMain(typeCText),
            trMain(triggerText), trMain(detectText),   trMain(batteryText)};
}

void Navigator::openFromToolButton(const QAbstractButton* button) {
    const QString text = button->text();
    const auto openPage = [&](int index, QLabel* title, QAbstractButton* back) {
        ui->disp_stackedWidget->setCurrentIndex(index);
        title->setText(text);
        IconHelper::Instance()->setIcon(back, QChar(Glyph::pageReturn), Glyph::returnSize);
    };
    if (text == trMain(typeCText)) {
        openPage(Dashboard, ui->disp_labTitle, ui->disp_btnReturn);
        sendCommand(Command::dashboardPage);
    } else if (text == trMain(upgradeText)) {
        openPage(Upgrade, ui->upgrade_labTitle, ui->upgrade_btnReturn);
        prepareUpgradePage();
    } else if (text == trMain(settingsText)) {
        openSettingsPage(text);
    } else if (text == trMain(triggerText)) {
        openPage(PageFour, ui->four_labTitle, ui->four_btnReturn);
        sendCommand(Command::pageFour);
    } else if (text == trMain(detectText)) {
        openPage(PageFive, ui->five_labTitle, ui->five_btnReturn);
        sendCommand(Command::pageFive);
    } else if (text == trMain(batteryText)) {
        openPage(PageSix, ui->six_labTitle, ui->six_btnReturn);
        sendCommand(Command::pageSix);
    }
}

void Navigator::returnHome() {
    if (ui->disp_stackedWidget->currentIndex() == Home)
        return;
    ui->disp_stackedWidget->setCurrentIndex(Home);
    ui->labTitle->setText(trMain(homeTitle));
    IconHelper::Instance()->setIcon(ui->btnReturn, QChar(Glyph::homeReturn), Glyph::returnSize);
    sendCommand(Command::homePage);
}

// The dashboard shortcuts set their titles untranslated.
void Navigator::openUpgradeShortcut() {
    ui->disp_stackedWidget->setCurrentIndex(Upgrade);
    ui->upgrade_labTitle->setText(QString::fromUtf8(upgradeText));
    IconHelper::Instance()->setIcon(ui->upgrade_btnReturn, QChar(Glyph::pageReturn),
                                    Glyph::returnSize);
    prepareUpgradePage();
}

void Navigator::openSettingsShortcut() {
    openSettingsPage(QString::fromUtf8(settingsText));
}

void Navigator::openSettingsPage(const QString& title) {
    const bool reduced = isReducedSettingsModel(modelWord());
    ui->disp_stackedWidget->setCurrentIndex(reduced ? ReducedSettings : Settings);
    QLabel* label = reduced ? ui->settings_labTitle_q7 : ui->settings_labTitle;
    QAbstractButton* back = reduced ? ui->settings_btnReturn_q7 : ui->settings_btnReturn;
    label->setText(title);
    IconHelper::Instance()->setIcon(back, QChar(Glyph::pageReturn), Glyph::returnSize);
    sendCommand(Command::settingsPageOpened);
    sendCommand(Command::settingsPage);
}

void Navigator::prepareUpgradePage() {
    QProgressBar* bar = ui->upgrade_progressBar_fw;
    bar->setRange(0, progressMaximum);
    bar->setValue(0);
    bar->setOrientation(Qt::Horizontal);
    bar->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    bar->setFormat(QStringLiteral("loading"));
    bar->setTextVisible(true);
}
