#include "DeviceList.h"

#include "DeviceInfoUI.h"
#include "HidLibrary.h"
#include "MeterDiscovery.h"

#include <hidapi.h>

#include <QTreeWidget>

DeviceList::DeviceList(QTreeWidget* tree, quint16 vendorId, quint16 productId, QObject* parent)
    : QObject(parent), tree(tree), vendorId(vendorId), productId(productId) {}

DeviceList::~DeviceList() {
    closeHandle();
}

bool DeviceList::refresh() {
    if (const auto serial = findLastMeterSerial(vendorId, productId))
        selectedSerial = *serial;
    clearCards();
    closeHandle();
    // Without a known serial number, open the first meter with the identifiers.
    const wchar_t* serial = selectedSerial.empty() ? nullptr : selectedSerial.c_str();
    hidDevice = HidLibrary::open(vendorId, productId, serial);
    if (!hidDevice)
        return false;
    const MeterStrings strings = readMeterStrings(hidDevice);
    addCard(strings.manufacturer, strings.product, strings.serial);
    return true;
}

void DeviceList::markDisconnected() {
    if (!card)
        return;
    card->connectState = DeviceInfoUI::Error;
    card->setConnectState(card->connectState);
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
