// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FirmwareUpgrade.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QTimer;
class QWidget;
class USBThread;

namespace Ui {
class MainDialog;
}

// The firmware upgrade page: loads the image, switches the meter into upgrade mode and
// runs the exchange over the link thread's handle, showing log, progress and outcome.
class UpgradePage : public QObject {
    Q_OBJECT
public:
    // How long the meter takes to restart into its boot loader after code 02.
    static constexpr int bootLoaderWaitMs = 3000;
    static constexpr int tickIntervalMs = 100;

    // `enterUpgradeMode` sends code 02 through the dialog's own handle; `ticks` is the
    // 100 ms time-out timer whose timeouts reach tick(); `dialog` owns the message boxes.
    UpgradePage(Ui::MainDialog* ui, USBThread* link, QTimer* ticks,
                std::function<void()> enterUpgradeMode, QWidget* dialog);

    // Browse: asks for a .bin file, starting where the last one was.
    void openFile();
    // Reads the file whole if its size is 1 byte to 2 MiB; otherwise keeps what was loaded.
    void loadFile(const QString& path);
    void start();
    void handleReport(const QByteArray& report);
    void tick();
    // A write of the link thread failed.
    void reportSendError();
    // The connection picture: plugged or unplugged. Also set from the link's state each
    // time the page is shown, so it never shows a state older than the page.
    void showConnection(bool connected);

    const FirmwareUpgrade& upgrade() const { return engine; }

signals:
    // From the switch into the boot loader until the upgrade ends, however it ends: the
    // meter answers no polls and takes no measurements meanwhile.
    void upgradeStarted();
    void upgradeEnded();

private:
    void pageChanged();
    FirmwareUpgrade::Output engineOutput();
    void refuseFile(const QString& title, const QString& message, const QString& logLine);
    void waitForBootLoader();
    void showProgress(const FirmwareUpgrade::Progress& progress);
    void finished(FirmwareUpgrade::Outcome outcome);
    void enableFileButtons(bool browse, bool start);
    void log(const QString& line);
    void warn(const QString& title, const QString& text);

    Ui::MainDialog* ui;
    USBThread* link;
    QTimer* ticks;
    std::function<void()> enterUpgradeMode;
    QWidget* dialog;
    QByteArray firmwareImage;
    QString firmwarePath;
    FirmwareUpgrade engine;
};
