// SPDX-License-Identifier: GPL-3.0-or-later
// The firmware upgrade page's slots: each hands its work to UpgradePage.

#include "MainDialog.h"

#include "Acquisition.h"
#include "CapacityPage.h"

#include "USBThread.h"
#include "UpgradePage.h"

#include <QTimer>

// A send error is taken after the slot that wrote has returned, so its message box never
// opens in the middle of the upgrade's own step.
void MainDialog::setUpUpgrade() {
    mytimer = new QTimer(this);
    mytimer->setObjectName(QStringLiteral("mytimer"));
    connect(mytimer, &QTimer::timeout, this, &MainDialog::mytimer_timeout);
    upgradePage = new UpgradePage(
        ui, usbThread, mytimer, [this] { requestUpgradeMode(); }, this);
    connect(upgradePage, &UpgradePage::upgradeStarted, this, [this] {
        acquisitionState->readingOutdated();
        capacityPage->meterAway(CapacityPage::Absence::Upgrading);
    });
    connect(upgradePage, &UpgradePage::upgradeEnded, capacityPage, &CapacityPage::meterBack);
    connect(usbThread, &USBThread::new_data, this, &MainDialog::usbreceivedata);
    connect(usbThread, &USBThread::usb_send_error, this, &MainDialog::usbsenderror,
            Qt::QueuedConnection);
}

void MainDialog::on_upgrade_pushButton_openfile_clicked() {
    upgradePage->openFile();
}
void MainDialog::on_upgrade_pushButton_start_clicked() {
    upgradePage->start();
}
void MainDialog::usbreceivedata(const QByteArray& report) {
    upgradePage->handleReport(report);
}
void MainDialog::mytimer_timeout() {
    upgradePage->tick();
}
void MainDialog::usbsenderror() {
    upgradePage->reportSendError();
}
