// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceList.h"

#include "DeviceInfoUI.h"
#include "HidLibrary.h"
#include "MainTr.h"
#include "MeterDiscovery.h"
#include "TipsBar.h"

#include <hidapi.h>

#include <QLabel>
#include <QTreeWidget>

DeviceList::DeviceList(QTreeWidget* tree, TipsBar* tips, QObject* parent)
    : QObject(parent), tree(tree), tips(tips) {}

DeviceList::~DeviceList() {
    closeHandle();
}

bool DeviceList::open(const QByteArray& path) {
    clearCards();
    closeHandle();
    if (!path.isEmpty())
        hidDevice = HidLibrary::openPath(path.constData());
    showFailure(!hidDevice);
    if (!hidDevice)
        return false;
    const MeterStrings strings = readMeterStrings(hidDevice);
    addCard(strings.manufacturer, strings.product, strings.serial);
    fullSerial = strings.serial.isEmpty() ? QString::fromLocal8Bit(path) : strings.serial;
    return true;
}

void DeviceList::markDisconnected() {
    showFailure(false);
    if (!card)
        return;
    card->connectState = DeviceInfoUI::Error;
    card->setConnectState(card->connectState);
}

void DeviceList::showFailure(bool failing) {
    if (!failing && !failed)
        return;
    failed = failing;
    if (failing)
        tips->raise(TipsBar::Cause::OpenFailing, [] {
            return trMain("仪表已连接，但无法打开其数据通道（被占用或无访问权限），正在重试");
        });
    else
        tips->end(TipsBar::Cause::OpenFailing);
}

void DeviceList::closeHandle() {
    if (hidDevice) {
        hid_close(hidDevice);
        hidDevice = nullptr;
    }
}

void DeviceList::clearCards() {
    tree->clear();
    card = nullptr;
}

void DeviceList::addCard(const QString& manufacturer, const QString& product,
                         const QString& serial) {
    card = new DeviceInfoUI();
    const ProductWords words = splitProductString(product);
    model = words.model;
    card->setModel(words.model);
    if (!words.version.isEmpty())
        card->setVersion(words.version);
    card->setType(manufacturer);
    shownSerial = serial.left(shownSerialLength);
    card->setSerial(shownSerial);
    card->connectState = DeviceInfoUI::Connected;
    card->setConnectState(card->connectState);
    auto* item = new QTreeWidgetItem(0);
    tree->addTopLevelItem(item);
    tree->setItemWidget(item, 0, card);
}
