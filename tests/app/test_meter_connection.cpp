// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterFixture.h"

#include <QFile>
#include <QIcon>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class MeterConnectionTest : public QObject {
    Q_OBJECT
private slots:
    // The link soak repeats unplug and replug; here what the user sees while the meter is
    // away: the run and the capacity test are paused, and both resume when it is back. A
    // second's poll is answered at once and read; the next second records it.
    void anUnpluggedMeterPausesTheRunUntilItIsBack() {
        MeterFixture f;
        const int meter = sim::plug();
        f.open();
        f.stopTimers();
        f.widget<QAbstractButton>("six_btn_start")->click(); // a capacity test as well
        const auto measure = [&f] {
            f.tick("sampleTimer");
            f.tick("readTimer");
        };
        measure();
        measure();
        QCOMPARE(f.logSize(), 1);
        sim::unplug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
        auto* capacityState = f.widget<QLabel>("six_label_state");
        QCOMPARE(capacityState->text(), QString("暂停：仪表未连接"));
        // Paused, not stopped: Run would start afresh, so the button and the bar say so.
        auto* run = f.widget<QPushButton>("disp_Btn_Run");
        auto* tips = f.widget<QLabel>("label_left_tips");
        QCOMPARE(run->toolTip(), QString("等待仪表重新连接"));
        QCOMPARE(tips->text(), QString("等待仪表重新连接"));
        const QImage runIcon = QIcon(":/sys/rs/rs/run.png").pixmap(48).toImage();
        QVERIFY(run->icon().pixmap(48).toImage() != runIcon);
        sim::replug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        QCOMPARE(capacityState->text(), QString("测试中"));
        QCOMPARE(run->toolTip(), QString("停止"));
        QCOMPARE(tips->text(), QString("Tips:Hello!"));
        measure();
        measure();
        QCOMPARE(f.logSize(), 2);
    }

    // Both handles are on the meter listed last, and move together when it goes.
    void ofTwoMetersBothHandlesWatchTheLastListedUntilItIsUnplugged() {
        MeterFixture f;
        sim::Identity first;
        first.serial = L"AAA1110000";
        sim::Identity second;
        second.product = L"USB M514 V3";
        second.serial = L"BBB2220000";
        const int a = sim::plug(first);
        const int b = sim::plug(second);
        f.open();
        QCOMPARE(f.pages()->currentIndex(), 2); // a meter opens the dashboard
        QCOMPARE(f.cardCount(), 1);
        QCOMPARE(f.cardText("label_serial_value"), QString("BBB222"));
        QCOMPARE(sim::openHandleCount(b), 2);
        QCOMPARE(sim::openHandleCount(a), 0);
        sim::unplug(b);
        QTRY_COMPARE_WITH_TIMEOUT(f.cardText("label_serial_value"), QString("AAA111"),
                                  MeterFixture::linkTimeoutMs);
        QVERIFY(f.running());
        QCOMPARE(sim::openHandleCount(a), 2);
    }

    // A busy meter (another program, or the libusb backend's claim) lets the link in but
    // not the dialog: the tips bar says why the dashboard is empty until a retry succeeds.
    void aMeterTheDialogCannotOpenIsRetriedWhileTheTipsBarSaysWhy() {
        MeterFixture f;
        const int meter = sim::plug();
        sim::setMaxOpenHandles(meter, 1);
        QVERIFY(QFile("data").open(QIODevice::WriteOnly)); // where the journal would go
        f.open();
        f.stopTimers();
        auto* tips = f.widget<QLabel>("label_left_tips");
        const QString failing = tips->text();
        QVERIFY2(failing.contains("无法打开"), qPrintable(failing));
        QCOMPARE(f.cardCount(), 0);
        QVERIFY(!f.running());
        f.tick("readTimer");
        QCOMPARE(tips->text(), failing);
        // Re-labelling puts the form's texts back; the reason must survive it.
        QMetaObject::invokeMethod(f.dialog.get(), "onS_Act2Clicked_Slot");
        QVERIFY2(tips->text().contains("cannot be opened"), qPrintable(tips->text()));
        // A run without the meter: the journal cannot be written, which is the latest news.
        f.widget<QAbstractButton>("disp_Btn_Run")->click();
        QVERIFY2(tips->text().startsWith("Journal off"), qPrintable(tips->text()));
        sim::setMaxOpenHandles(meter, -1);
        f.tick("readTimer");
        QCOMPARE(f.cardCount(), 1);
        QCOMPARE(sim::openHandleCount(meter), 2);
        // The meter opened, the journal is still off: the bar keeps saying so.
        QVERIFY2(tips->text().startsWith("Journal off"), qPrintable(tips->text()));
        QMetaObject::invokeMethod(f.dialog.get(), "onS_Act1Clicked_Slot");
        QVERIFY2(tips->text().startsWith("记录日志已关闭"), qPrintable(tips->text()));
    }

    // How the product string splits is test_report_io's; the card names a missing version.
    // Device strings are shown as text, never as markup or arguments to fill in.
    void cardShowsTheProductWordsAndSerialPrefix() {
        MeterFixture f;
        sim::Identity id;
        id.product = L"A %1  ";
        id.manufacturer = L"<b>ACME</b>";
        id.serial = L"0123456789";
        sim::plug(id);
        f.open();
        QCOMPARE(f.cardText("label_model_value"), QString("%1"));
        QCOMPARE(f.cardText("label_version_value"), QString("[none]"));
        QCOMPARE(f.cardText("label_type_value"), QString("<b>ACME</b>"));
        QCOMPARE(f.widget<QLabel>("label_type_value")->textFormat(), Qt::PlainText);
        QCOMPARE(f.cardText("label_serial_value"), QString("012345"));
        auto* caption = f.widget<QLabel>("disp_labDevTiT");
        QCOMPARE(caption->textFormat(), Qt::PlainText);
        QTRY_COMPARE_WITH_TIMEOUT(caption->text(), QString(" | %1 012345"),
                                  MeterFixture::linkTimeoutMs);
    }

    // The picture follows the link while the page is away; entering the page adds no log line.
    void upgradePageLogsConnectionChangesOnlyWhileShown() {
        MeterFixture f;
        sim::Identity id;
        id.product = L"USB <img src=file:///dev/zero> V9";
        const int meter = sim::plug(id);
        f.open();
        auto* log = f.widget<QTextEdit>("upgrade_text_log");
        auto* device = f.widget<QLabel>("upgrade_label_devvalue");
        auto* picture = f.widget<QLabel>("upgrade_label_connect");
        QCOMPARE(device->text(), QString("USB <img src=file:///dev/zero> V9"));
        QCOMPARE(device->textFormat(), Qt::PlainText);
        f.widget<QAbstractButton>("disp_btnUpgrade")->click();
        QCOMPARE(f.pages()->currentIndex(), 1);
        QVERIFY(picture->styleSheet().contains("usb_connect.png"));
        f.widget<QAbstractButton>("upgrade_btnReturn")->click();
        sim::unplug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
        f.widget<QAbstractButton>("disp_btnUpgrade")->click();
        QVERIFY(picture->styleSheet().contains("usb_disconnect.png"));
        QVERIFY(log->toPlainText().isEmpty());
        sim::replug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        QVERIFY(log->toPlainText().contains("设备已连接"));
        QVERIFY(log->toPlainText().contains("设备名称:USB <img src=file:///dev/zero> V9"));
        QVERIFY(picture->styleSheet().contains("usb_connect.png"));
        sim::unplug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains("设备已断开"),
                                 MeterFixture::linkTimeoutMs);
        QVERIFY(picture->styleSheet().contains("usb_disconnect.png"));
    }
};

QTEST_MAIN(MeterConnectionTest)
#include "test_meter_connection.moc"
