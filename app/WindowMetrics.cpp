// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowMetrics.h"

#include "Acquisition.h"
#include "DeviceList.h"
#include "MainDialog.h"
#include "MeterMetrics.h"
#include "USBThread.h"

#include <QDateTime>

WindowMetrics::WindowMetrics(MeterMetrics& metrics, const MainDialog& dialog)
    : QObject(nullptr), metrics(metrics), dialog(dialog) {
    clock.start();
    // Connected after the dialog's own slots, so the dialog has opened the meter by then.
    connect(dialog.linkThread(), &USBThread::usb_connect, this, &WindowMetrics::meterConnected);
    connect(dialog.linkThread(), &USBThread::usb_disconnect, this, &WindowMetrics::meterLost);
    connect(dialog.acquisition(), &Acquisition::sampleRecorded, this,
            &WindowMetrics::sampleRecorded);
    connect(&dialog, &MainDialog::reportRejected, this, [this] {
        if (!serial.isEmpty())
            this->metrics.reportRejected(serial);
    });
    meterConnected();
}

void WindowMetrics::meterConnected() {
    const QString opened = dialog.devices()->handle() ? dialog.devices()->meterSerial() : QString();
    if (opened.isEmpty() || opened == serial)
        return;
    if (!serial.isEmpty())
        metrics.meterLost(serial);
    serial = opened;
    metrics.meterConnected(serial, dialog.devices()->modelWord());
}

void WindowMetrics::meterLost() {
    if (!serial.isEmpty())
        metrics.meterLost(serial);
    serial.clear();
}

// The store keeps whole seconds; the scrape shows the time of the sample to the ms.
void WindowMetrics::sampleRecorded(qint64, const SampleStore::Values& values) {
    // The dialog may have opened the meter on a later retry than the link's announcement.
    if (serial.isEmpty())
        meterConnected();
    if (serial.isEmpty())
        return;
    metrics.sampleRecorded(serial, values, QDateTime::currentMSecsSinceEpoch(), clock.elapsed());
}
