// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class DeviceInfoUI;
class TipsBar;
class QTreeWidget;

struct hid_device_;
typedef struct hid_device_ hid_device;

// The device list beside the pages and the dialog's own handle to the meter: on every
// connection it opens the meter the link thread holds and shows its card. While that
// open fails, the tips bar says why the dashboard shows nothing.
class DeviceList : public QObject {
    Q_OBJECT
public:
    DeviceList(QTreeWidget* tree, TipsBar* tips, QObject* parent);
    // Closes the dialog's handle.
    ~DeviceList() override;

    // (Re)opens the handle on the meter at `path`; false when it could not be opened.
    bool open(const QByteArray& path);
    // The link holds a meter that this list could not open yet.
    bool openFailed() const { return failed; }
    // The meter went away: its card shows the error state and stays.
    void markDisconnected();

    hid_device* handle() const { return hidDevice; }
    const QString& modelWord() const { return model; }
    const QString& serialPrefix() const { return shownSerial; }
    // The whole USB serial of the open meter, or its path when it reports none.
    const QString& meterSerial() const { return fullSerial; }

private:
    void closeHandle();
    void clearCards();
    void addCard(const QString& manufacturer, const QString& product, const QString& serial);
    void showFailure(bool failing);

    QTreeWidget* tree;
    TipsBar* tips;
    hid_device* hidDevice = nullptr;
    bool failed = false;
    QString model;
    QString shownSerial;
    QString fullSerial;
    DeviceInfoUI* card = nullptr;
};
