// SPDX-License-Identifier: GPL-3.0-or-later
// A full 2 MiB firmware upgrade through the upgrade page and the real link thread against
// the simulated meter answering at once: the total time of the exchange, and the time the
// application itself spends per block (handling a reply up to sending the next block, the
// page's log and progress included) beside its target. That time includes the write of the
// next block, inside which the simulated meter answers and wakes the link thread. The 3 s
// wait for the boot loader comes before the clock starts.
#include "BenchSize.h"
#include "SimMeter.h"
#include "USBThread.h"
#include "UpgradePage.h"
#include "ui_MainDialog.h"

#include <hidapi.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

const int imageSize = benchSize(2 * 1024 * 1024, 58 * 20);
constexpr double targetMicrosPerBlock = 100.0;
constexpr int giveUpMs = 600000;

QByteArray benchImage() {
    QByteArray image(imageSize, '\0');
    for (int i = 0; i < imageSize; ++i)
        image[i] = static_cast<char>(i * 7);
    return image;
}

QString writeImage(const QTemporaryDir& dir, const QByteArray& image) {
    QFile file(dir.filePath("firmware.bin"));
    file.open(QIODevice::WriteOnly);
    file.write(image);
    return file.fileName();
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path()); // usb-hid.ini goes there

    sim::UpgradeScript atOnce;
    atOnce.writingMs = 0;
    const int meter = sim::plug();
    sim::setUpgradeScript(meter, atOnce);

    QDialog form;
    Ui::MainDialog ui;
    ui.setupUi(&form);
    USBThread link;
    link.setIds(0x0483, 0x5750);
    link.openDevice();
    link.start();
    hid_device* dialogHandle = hid_open(0x0483, 0x5750, nullptr);
    QTimer ticks;
    const unsigned char enterUpgradeMode[64] = {0x55, 0x05, 0x09, 0x02, 0, 0, 0, 0xEE, 0xFF};
    UpgradePage page(
        &ui, &link, &ticks,
        [&] { hid_write(dialogHandle, enterUpgradeMode, sizeof enterUpgradeMode); }, &form);
    QObject::connect(&ticks, &QTimer::timeout, &page, &UpgradePage::tick);

    qint64 handlingNs = 0;
    int replies = 0;
    QObject::connect(&link, &USBThread::new_data, &page, [&](const QByteArray& report) {
        QElapsedTimer handling;
        handling.start();
        page.handleReport(report);
        handlingNs += handling.nsecsElapsed();
        ++replies;
    });

    const QByteArray image = benchImage();
    page.loadFile(writeImage(dir, image));
    page.start();
    QElapsedTimer total;
    total.start();
    QEventLoop loop;
    QObject::connect(ui.upgrade_progressBar_fw, &QProgressBar::valueChanged, &loop, [&](int value) {
        if (value == 100)
            loop.quit();
    });
    QTimer::singleShot(giveUpMs, &loop, &QEventLoop::quit);
    loop.exec();
    const double totalMs = total.nsecsElapsed() / 1e6;

    const int blocks = (imageSize + 57) / 58;
    const std::vector<unsigned char> received = sim::receivedImage(meter);
    std::printf("upgrade of 2 MiB (%d blocks) against the simulated meter answering at once\n",
                blocks);
    std::printf(
        "  finished: %s, image received intact: %s\n", page.upgrade().upgrading() ? "no" : "yes",
        QByteArray(reinterpret_cast<const char*>(received.data()), int(received.size())) == image
            ? "yes"
            : "no");
    std::printf("  total time          %10.1f ms   (%.1f us per block, round trip included)\n",
                totalMs, totalMs * 1000.0 / blocks);
    std::printf("  application time    %10.1f us per block   target < %.0f us   (%d replies)\n",
                handlingNs / 1000.0 / replies, targetMicrosPerBlock, replies);
    link.stopAndWait();
    hid_close(dialogHandle);
    return 0;
}
