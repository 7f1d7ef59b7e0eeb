// SPDX-License-Identifier: GPL-3.0-or-later
// The firmware upgrade page in the real dialog, over the real link thread and the
// simulated meter's boot loader.

#include "DialogAnswers.h"
#include "FirmwareUpgrade.h"
#include "MeterFixture.h"
#include "Setting.h"
#include "UpgradePage.h"
#include "UpgradeScripts.h"

#include "TestImage.h"
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

#include <QtTest>

namespace {

constexpr int upgradeTimeoutMs = 30000; // the 3 s wait, the transfer and the writing phase

QString writeFile(const QString& name, const QByteArray& content) {
    QFile file(name);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return QFileInfo(file).absoluteFilePath();
}

// Where the first written report starting with `head` is, -1 when none is.
int writtenAt(int meter, const QByteArray& head) {
    const std::vector<sim::Report> written = sim::writtenReports(meter);
    for (std::size_t i = 0; i < written.size(); ++i)
        if (QByteArray(reinterpret_cast<const char*>(written[i].data()), head.size()) == head)
            return int(i);
    return -1;
}

void setCurrent(int meter, double amps) {
    sim::MeterState state = sim::state(meter);
    state.channels[1] = amps;
    state.channels[2] = amps * state.channels[0];
    sim::setState(meter, state);
}

const QByteArray enterUpgradeFrame = QByteArray::fromHex("55050902000000EEFF");
const QByteArray handshakeReport = QByteArray::fromHex("55AA06");

// A dialog on the upgrade page with a meter behind it.
struct UpgradeFixture : MeterFixture {
    explicit UpgradeFixture(sim::UpgradeScript::Fault fault = sim::UpgradeScript::None,
                            int atBlock = 0) {
        meter = sim::plug();
        sim::setUpgradeScript(meter, upgradeScript(fault, atBlock));
    }
    void openOnUpgradePage() {
        open();
        widget<QAbstractButton>("disp_btnUpgrade")->click();
    }
    UpgradePage* page() const { return dialog->upgrade(); }
    QPushButton* startButton() const { return widget<QPushButton>("upgrade_pushButton_start"); }
    QProgressBar* bar() const { return widget<QProgressBar>("upgrade_progressBar_fw"); }
    QStringList log() const {
        return widget<QTextEdit>("upgrade_text_log")->toPlainText().split('\n');
    }
    QTimer* ticks() const { return dialog->findChild<QTimer*>("mytimer"); }
    void tick(int count) {
        for (int i = 0; i < count; ++i)
            QMetaObject::invokeMethod(dialog.get(), "mytimer_timeout");
    }
    QByteArray startWith(int size) {
        const QByteArray image = testImage(size);
        page()->loadFile(writeFile("firmware.bin", image));
        startButton()->click();
        return image;
    }
    bool idle() const { return !page()->upgrade().upgrading(); }

    int meter = 0;
    DialogAnswers dialogs;
};

} // namespace

class UpgradePageTest : public QObject {
    Q_OBJECT
private slots:
    // The good image is browsed to, from the folder of the one chosen before; a cancelled
    // browse changes nothing.
    void filesOutsideTheSizeRulesAreRefusedAndTheOldImageKept_data() {
        QTest::addColumn<QString>("name"); // "bad.bin" is written with `size` bytes
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("2 MiB + 1") << "bad.bin" << 2097153 << "错误|固件过大,请选择正确的固件"
                                   << "固件过大,请选择正确的固件";
        QTest::newRow("empty") << "bad.bin" << 0 << "错误|空的固件"
                               << "固件是空的";
        QTest::newRow("folder") << "folder.bin" << 0 << "error|打开文件失败"
                                << "打开文件失败";
        QTest::newRow("gone before reading") << "gone.bin" << 0 << "error|打开文件失败"
                                             << "打开文件失败";
    }
    void filesOutsideTheSizeRulesAreRefusedAndTheOldImageKept() {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(QString, box);
        QFETCH(QString, logLine);
        UpgradeFixture f;
        f.openOnUpgradePage();
        QDir().mkdir("older");
        Setting().writeValue("file_path", QFileInfo("older/old.bin").absoluteFilePath());
        const QString good = writeFile("good.bin", testImage(2097152));
        f.dialogs.fileToChoose = good;
        auto* browse = f.widget<QAbstractButton>("upgrade_pushButton_openfile");
        browse->click();
        QCOMPARE(f.dialogs.fileDialogs,
                 QStringList({"打开固件文件|" + QFileInfo("older").absoluteFilePath() +
                              "|BIN文件(*.bin)"}));
        QCOMPARE(f.widget<QLabel>("upgrade_label_fwsizevalue")->text(),
                 QString("固件大小:2048.0KB   2097152字节"));
        QCOMPARE(f.log().mid(0, 2), QStringList({"打开文件...", "读取文件完成..."}));
        QVERIFY(f.startButton()->isEnabled());
        f.dialogs.fileToChoose.clear();
        browse->click();
        QVERIFY(f.dialogs.boxes.isEmpty());
        f.startButton()->setEnabled(false);
        writeFile("bad.bin", testImage(size));
        QDir().mkdir("folder.bin");
        f.page()->loadFile(name);
        QCOMPARE(f.dialogs.boxes, QStringList{box});
        QCOMPARE(f.log().last(), logLine);
        QCOMPARE(f.widget<QLineEdit>("upgrade_lineEdit_filename")->text(), good);
        QVERIFY(!f.startButton()->isEnabled());
        QCOMPARE(Setting().readValue("file_path"), good);
    }

    // A capacity test and a recording at 2 A, then an upgrade while the load is off: the
    // upgrade's time is a gap in both, Browse cannot start a second upgrade, and the file
    // ends up in the meter.
    void anUpgradeIsAGapInTheRecordingAndTheCapacityTest() {
        UpgradeFixture f;
        sim::UpgradeScript writesSlowly;
        writesSlowly.writingMs = 4000;
        sim::setUpgradeScript(f.meter, writesSlowly);
        f.openOnUpgradePage();
        f.stopTimers();
        setCurrent(f.meter, 2.0);
        f.widget<QAbstractButton>("six_btn_start")->click();
        const auto measure = [&f] {
            f.MeterFixture::tick("sampleTimer"); // the poll, answered at once on every handle
            f.MeterFixture::tick("readTimer");
        };
        measure();
        measure();
        const QString charge = f.widget<QLabel>("six_label_charge")->text();
        const int recorded = f.logSize();
        const int polls = MeterFixture::pollsWritten(f.meter);
        setCurrent(f.meter, 0.0);
        // A timer due at once: the 3 s wait must not run it before the handshake is out.
        int handshakesWhenTimerRan = -1;
        QTimer::singleShot(
            0, [&] { handshakesWhenTimerRan = writtenAt(f.meter, handshakeReport) >= 0 ? 1 : 0; });
        const QByteArray image = f.startWith(5800);
        QVERIFY(f.ticks()->isActive());
        QCOMPARE(f.startButton()->text(), QString("正在下载"));
        QCOMPARE(f.widget<QLabel>("six_label_state")->text(), QString("暂停：固件升级中"));
        auto* browse = f.widget<QPushButton>("upgrade_pushButton_openfile");
        QVERIFY(!browse->isEnabled());
        f.page()->loadFile(writeFile("other.bin", testImage(1000))); // what Browse would do
        QVERIFY(!f.startButton()->isEnabled());
        measure();
        // A second of boot loader replies: counted as readings, they would add 2 A for it.
        QElapsedTimer upgrading;
        upgrading.start();
        QTRY_VERIFY_WITH_TIMEOUT(f.log().contains("请等待设备烧写完成...") &&
                                     upgrading.elapsed() >= 1000,
                                 upgradeTimeoutMs);
        measure();
        QVERIFY(!f.idle());
        QTRY_VERIFY_WITH_TIMEOUT(f.idle(), upgradeTimeoutMs);
        QCOMPARE(handshakesWhenTimerRan, 1);
        const std::vector<unsigned char> received = sim::receivedImage(f.meter);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(received.data()), int(received.size())),
                 image);
        QVERIFY(writtenAt(f.meter, enterUpgradeFrame) >= 0);
        QVERIFY(writtenAt(f.meter, enterUpgradeFrame) < writtenAt(f.meter, handshakeReport));
        // The page's own first line, the engine's (test_firmware_upgrade) last.
        QCOMPARE(f.log().first(), QString("开始连接设备..."));
        QCOMPARE(f.log().last(), QString("本次下载结束"));
        QCOMPARE(f.bar()->format(), QString("当前进度为：100.0%"));
        QCOMPARE(f.bar()->value(), 100);
        QCOMPARE(f.startButton()->text(), QString("开始下载"));
        QVERIFY(!f.startButton()->isEnabled());
        QVERIFY(!f.ticks()->isActive());
        QVERIFY(f.dialogs.boxes.isEmpty());
        f.MeterFixture::tick("readTimer"); // the boot loader's last replies
        QCOMPARE(f.logSize(), recorded);
        QCOMPARE(MeterFixture::pollsWritten(f.meter), polls);
        QCOMPARE(f.widget<QLabel>("six_label_charge")->text(), charge);
        QVERIFY(browse->isEnabled());
        QCOMPARE(f.widget<QLabel>("six_label_state")->text(), QString("测试中"));
        measure(); // the reading from before the upgrade is not recorded
        QCOMPARE(f.logSize(), recorded);
        measure();
        QCOMPARE(f.logSize(), recorded + 1);
        const SampleStore& log = f.dialog->acquisition()->log();
        QCOMPARE(log.value(IBUS, log.size() - 1), 0.0f);
        QCOMPARE(f.widget<QLabel>("six_label_charge")->text(), charge);
    }

    // Every way an upgrade fails ends it with its message box and stops the ticks; a
    // silent meter is ended by the time-out, not before, and an unplugged one works again
    // once it is back.
    void failuresEndWithTheirMessage_data() {
        using Script = sim::UpgradeScript;
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("atBlock");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("secondLogLine");
        QTest::newRow("meter failure") << int(Script::ReportFailure) << 3 << "Chinese"
                                       << "error|更新失败"
                                       << "握手成功...";
        QTest::newRow("meter failure, English") << int(Script::ReportFailure) << 3 << "English"
                                                << "error|Update failed"
                                                << "Handshake succeeded...";
        QTest::newRow("write refused") << int(Script::RefuseWrite) << 2 << "Chinese"
                                       << "错误|USB发送数据异常"
                                       << "握手成功...";
        QTest::newRow("never in upgrade mode") << int(Script::StayInNormalMode) << 0 << "Chinese"
                                               << "错误|USB更新失败,超时" << QString();
        QTest::newRow("unplugged mid-transfer") << int(Script::Unplug) << 5 << "Chinese"
                                                << "错误|USB更新失败,超时"
                                                << "握手成功...";
    }
    void failuresEndWithTheirMessage() {
        QFETCH(int, fault);
        QFETCH(int, atBlock);
        QFETCH(QString, language);
        QFETCH(QString, box);
        QFETCH(QString, secondLogLine);
        UpgradeFixture f(sim::UpgradeScript::Fault(fault), atBlock);
        Setting().writeValue("language", language);
        f.openOnUpgradePage();
        f.startWith(5800);
        if (fault == sim::UpgradeScript::Unplug) {
            QTRY_VERIFY_WITH_TIMEOUT(!sim::isPlugged(f.meter), upgradeTimeoutMs);
            QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
        }
        if (box.endsWith("超时")) { // the dialog's own ticks may have counted some already
            f.tick(FirmwareUpgrade::timeoutLimit - 1 - f.page()->upgrade().timeoutTicks());
            QVERIFY(!f.idle());
            f.tick(1);
        }
        QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.boxes, QStringList{box}, upgradeTimeoutMs);
        QVERIFY(f.idle());
        QVERIFY(!f.ticks()->isActive());
        QCOMPARE(f.log().value(1), secondLogLine);
        QVERIFY(!f.startButton()->isEnabled());
        if (fault != sim::UpgradeScript::Unplug)
            return;
        sim::MeterState state = sim::state(f.meter);
        state.channels[0] = 12.5;
        sim::setState(f.meter, state);
        sim::replug(f.meter);
        QTRY_COMPARE_WITH_TIMEOUT(f.widget<QLabel>("disp_label_VOLT")->text(), QString("12.50000"),
                                  MeterFixture::linkTimeoutMs);
    }
};

QTEST_MAIN(UpgradePageTest)
#include "test_upgrade_page.moc"
