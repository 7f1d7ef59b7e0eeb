#pragma once

#include <QObject>
#include <QString>

#include <string>

class DeviceInfoUI;
class QTreeWidget;

struct hid_device_;
typedef struct hid_device_ hid_device;

// The device list beside the pages and the dialog's own handle to the meter: on every
// connection it enumerates the meters, opens the last one listed and shows its card.
class DeviceList : public QObject {
    Q_OBJECT
public:
    DeviceList(QTreeWidget* tree, quint16 vendorId, quint16 productId, QObject* parent);
    // Closes the dialog's handle.
    ~DeviceList() override;

    // Re-enumerates and (re)opens the handle; false when no meter could be opened.
    bool refresh();
    // The meter went away: its card shows the error state and stays.
    void markDisconnected();

    hid_device* handle() const { return hidDevice; }
    const QString& modelWord() const { return model; }
    const QString& serialPrefix() const { return shownSerial; }

private:
    void closeHandle();
    void clearCards();
    void addCard(const QString& manufacturer, const QString& product, const QString& serial);

    QTreeWidget* tree;
    quint16 vendorId;
    quint16 productId;
    hid_device* hidDevice = nullptr;
    // Copied out of the enumeration; kept when a later enumeration finds nothing.
    std::wstring selectedSerial;
    QString model;
    QString shownSerial;
    DeviceInfoUI* card = nullptr;
};
