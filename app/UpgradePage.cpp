// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpgradePage.h"

#include "MainTr.h"
#include "PlainTextLog.h"
#include "Setting.h"
#include "SettingKeys.h"
#include "USBThread.h"
#include "UpgradeTexts.h"
#include "ui_MainDialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

namespace {

constexpr unsigned long repaintPauseMs = 15;
const char* const progressFormat = "当前进度为：%1%";
const char* const startText = "开始下载";
const char* const downloadingText = "正在下载";
const char* const connectedPicture =
    "border-image:url(:/sys/rs/rs/usb_connect.png) 0 0 0 0 stretch stretch;";
const char* const disconnectedPicture =
    "border-image:url(:/sys/rs/rs/usb_disconnect.png) 0 0 0 0 stretch stretch;";

QString filePathKey() {
    return QString::fromLatin1(SettingKey::filePath);
}

} // namespace

UpgradePage::UpgradePage(Ui::MainDialog* ui, USBThread* link, QTimer* ticks,
                         std::function<void()> enterUpgradeMode, QWidget* dialog)
    : QObject(dialog), ui(ui), link(link), ticks(ticks),
      enterUpgradeMode(std::move(enterUpgradeMode)), dialog(dialog), engine(engineOutput()) {
    connect(ui->disp_stackedWidget, &QStackedWidget::currentChanged, this,
            &UpgradePage::pageChanged);
}

void UpgradePage::pageChanged() {
    if (ui->disp_stackedWidget->currentWidget() == ui->page_upgrade)
        showConnection(link->isClosed() == 0);
}

void UpgradePage::showConnection(bool connected) {
    ui->upgrade_label_connect->setStyleSheet(
        QString::fromLatin1(connected ? connectedPicture : disconnectedPicture));
}

FirmwareUpgrade::Output UpgradePage::engineOutput() {
    return {[this](const Upgrade::Packet& packet) {
                link->sendPayload(packet.data(), static_cast<int>(packet.size()));
            },
            [this](const QString& line) { log(line); },
            [this](const FirmwareUpgrade::Progress& progress) { showProgress(progress); },
            [this](FirmwareUpgrade::Outcome outcome) { finished(outcome); }};
}

void UpgradePage::openFile() {
    log(trMain("打开文件..."));
    firmwarePath = Setting().readValue(filePathKey());
    const QString path = QFileDialog::getOpenFileName(dialog, trMain("打开固件文件"), firmwarePath,
                                                      trMain("BIN文件(*.bin)"));
    if (!path.isEmpty())
        loadFile(path);
}

void UpgradePage::loadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuseFile(trMain("error"), trMain("打开文件失败"), trMain("打开文件失败"));
        return;
    }
    const qint64 size = file.size();
    if (size > Upgrade::maxImageSize) {
        const QString tooLarge = trMain("固件过大,请选择正确的固件");
        refuseFile(trMain("错误"), tooLarge, tooLarge);
        return;
    }
    if (size == 0) {
        refuseFile(trMain("错误"), trMain("空的固件"), trMain("固件是空的"));
        return;
    }
    // A file cut short while being read is as unreadable as one that would not open.
    const QByteArray content = file.readAll();
    if (content.size() != size) {
        refuseFile(trMain("error"), trMain("打开文件失败"), trMain("打开文件失败"));
        return;
    }
    ui->upgrade_lineEdit_filename->setText(path);
    Setting().writeValue(filePathKey(), path);
    firmwareImage = content;
    ui->upgrade_label_fwsizevalue->setText(firmwareSizeText(size));
    ui->upgrade_pushButton_start->setText(QString::fromUtf8(startText));
    log(QStringLiteral("读取文件完成..."));
    file.close();
    // A second start in the middle of an upgrade would restart the handshake mid-image.
    if (link->isClosed() == 0 && !engine.upgrading())
        ui->upgrade_pushButton_start->setEnabled(true);
}

void UpgradePage::refuseFile(const QString& title, const QString& message, const QString& logLine) {
    log(logLine);
    warn(title, message);
}

void UpgradePage::start() {
    if (firmwareImage.isEmpty() || engine.upgrading())
        return;
    enableFileButtons(false, false);
    emit upgradeStarted();
    ui->upgrade_progressBar_fw->setValue(0);
    enterUpgradeMode();
    waitForBootLoader();
    ticks->start(tickIntervalMs);
    ui->upgrade_pushButton_start->setText(QString::fromUtf8(downloadingText));
    ui->upgrade_text_log->clear();
    log(QStringLiteral("开始连接设备..."));
    engine.start(firmwareImage);
}

// The meter restarts into its boot loader meanwhile. Only pending repaints are done, so
// the window shows what the click changed; no input, timer or queued signal is handled,
// so no reply can be acted on before the upgrade has started.
void UpgradePage::waitForBootLoader() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < bootLoaderWaitMs) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QThread::msleep(repaintPauseMs);
    }
}

void UpgradePage::handleReport(const QByteArray& report) {
    engine.handleReport(report);
}

void UpgradePage::tick() {
    engine.tick();
}

// Every failed write is reported, whether or not an upgrade runs.
void UpgradePage::reportSendError() {
    engine.sendFailed();
    warn(QStringLiteral("错误"), QStringLiteral("USB发送数据异常"));
}

void UpgradePage::showProgress(const FirmwareUpgrade::Progress& progress) {
    QProgressBar* bar = ui->upgrade_progressBar_fw;
    bar->setFormat(QString::fromUtf8(progressFormat).arg(double(progress.percent), 0, 'f', 1));
    bar->setValue(progress.value);
}

// The upgrade is already over when a box opens, so nothing arriving while it shows can
// act on it.
void UpgradePage::finished(FirmwareUpgrade::Outcome outcome) {
    ticks->stop();
    enableFileButtons(true, false); // a new upgrade needs the file loaded again
    emit upgradeEnded();
    switch (outcome) {
    case FirmwareUpgrade::Outcome::Written:
        ui->upgrade_pushButton_start->setText(trMain(startText));
        break;
    case FirmwareUpgrade::Outcome::MeterFailed:
        warn(trMain("error"), trMain("更新失败"));
        break;
    case FirmwareUpgrade::Outcome::TimedOut:
        warn(QStringLiteral("错误"), QStringLiteral("USB更新失败,超时"));
        break;
    case FirmwareUpgrade::Outcome::SendFailed:
        break; // reportSendError shows its box
    }
}

void UpgradePage::enableFileButtons(bool browse, bool start) {
    ui->upgrade_pushButton_openfile->setEnabled(browse);
    ui->upgrade_pushButton_start->setEnabled(start);
}

void UpgradePage::log(const QString& line) {
    appendLogLine(ui->upgrade_text_log, line);
}

void UpgradePage::warn(const QString& title, const QString& text) {
    QMessageBox::warning(dialog, title, text);
}
