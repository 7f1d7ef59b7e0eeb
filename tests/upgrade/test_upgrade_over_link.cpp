// The upgrade engine over the real link thread and the simulated meter's boot loader:
// packets go out through USBThread::sendPayload, replies come back as new_data. The
// 100 ms ticks are driven by the test.

#include "FirmwareUpgrade.h"
#include "ScopedWorkDir.h"
#include "SimMeter.h"
#include "TestImage.h"
#include "USBThread.h"
#include "UpgradeScripts.h"

#include <QEventLoop>
#include <QtTest>

#include <hidapi.h>

#include <memory>
#include <optional>

namespace {

using Outcome = FirmwareUpgrade::Outcome;
constexpr int exchangeTimeoutMs = 60000;

// One meter, the link thread on it and an engine wired to both as the page wires them.
// The dialog's own handle sends code 02.
struct Rig {
    explicit Rig(sim::UpgradeScript::Fault fault = sim::UpgradeScript::None, int atBlock = 0) {
        meter = sim::plug();
        sim::setUpgradeScript(meter, upgradeScript(fault, atBlock));
        link.setIds(0x0483, 0x5750);
        link.openDevice();
        QObject::connect(&link, &USBThread::new_data, &link, [this](const QByteArray& r) {
            ++reportsHandled;
            engine.handleReport(r);
        });
        QObject::connect(
            &link, &USBThread::usb_send_error, &link, [this] { engine.sendFailed(); },
            Qt::QueuedConnection);
        link.start();
        dialogHandle = hid_open(0x0483, 0x5750, nullptr);
    }
    ~Rig() {
        link.stopAndWait();
        hid_close(dialogHandle);
    }

    void start(const QByteArray& image) {
        const unsigned char enter[64] = {0x55, 0x05, 0x09, 0x02, 0x00, 0x00, 0x00, 0xEE, 0xFF};
        hid_write(dialogHandle, enter, sizeof enter);
        engine.start(image);
    }
    // Runs the event loop until the upgrade ends (or `until` holds) at full speed.
    void runUntil(const std::function<bool()>& until) {
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (until())
                loop.quit();
        });
        QTimer::singleShot(exchangeTimeoutMs, &loop, &QEventLoop::quit);
        check.start(1);
        loop.exec();
    }
    void runToEnd() {
        runUntil([this] { return outcome.has_value(); });
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            engine.tick();
    }
    QByteArray received() const {
        const std::vector<unsigned char> image = sim::receivedImage(meter);
        return QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
    }
    // Upgrade packets the meter got, by type byte (report byte 1).
    int packetsOfType(unsigned char type) const {
        int count = 0;
        for (const sim::Report& r : sim::writtenReports(meter))
            count += r[0] == 0x55 && r[1] == type;
        return count;
    }

    ScopedWorkDir workDir;
    int meter = 0;
    USBThread link;
    hid_device* dialogHandle = nullptr;
    int reportsHandled = 0;
    QStringList log;
    std::optional<Outcome> outcome;
    FirmwareUpgrade engine{{[this](const Upgrade::Packet& p) { link.sendPayload(p.data(), 64); },
                            [this](const QString& line) { log << line; },
                            [](const FirmwareUpgrade::Progress&) {},
                            [this](Outcome o) { outcome = o; }}};
};

} // namespace

class UpgradeOverLinkTest : public QObject {
    Q_OBJECT
private slots:
    void init() { sim::reset(); }
    void cleanup() { sim::reset(); }

    void meterReceivesTheImageByteForByte_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("1 byte") << 1;
        QTest::newRow("59 bytes") << 59;
        QTest::newRow("116 bytes") << 116;
        QTest::newRow("100 kB") << 100 * 1024 + 7;
    }
    void meterReceivesTheImageByteForByte() {
        QFETCH(int, size);
        Rig rig;
        const QByteArray image = testImage(size);
        rig.start(image);
        rig.runToEnd();
        QCOMPARE(rig.outcome, std::optional<Outcome>(Outcome::Written));
        QCOMPARE(rig.received(), image);
        QCOMPARE(rig.packetsOfType(0xCC), Upgrade::blockCount(size));
        QVERIFY(!sim::inUpgradeMode(rig.meter));
    }

    void secondHandshakeReplyRestartsAndStillDelivers() {
        Rig rig(sim::UpgradeScript::RepeatHandshake, 3);
        const QByteArray image = testImage(580);
        rig.start(image);
        rig.runToEnd();
        QCOMPARE(rig.outcome, std::optional<Outcome>(Outcome::Written));
        QCOMPARE(rig.received(), image);
        QCOMPARE(rig.packetsOfType(0xCC), 10 + 4);
        QCOMPARE(rig.log.count("握手成功..."), 2);
    }

    void meterFailureEndsTheExchange() {
        Rig rig(sim::UpgradeScript::ReportFailure, 4);
        rig.start(testImage(1000));
        rig.runToEnd();
        QCOMPARE(rig.outcome, std::optional<Outcome>(Outcome::MeterFailed));
        QCOMPARE(rig.packetsOfType(0xCC), 5);
    }

    void refusedWriteEndsTheExchangeAsASendError() {
        Rig rig(sim::UpgradeScript::RefuseWrite, 2);
        rig.start(testImage(1000));
        rig.runToEnd();
        QCOMPARE(rig.outcome, std::optional<Outcome>(Outcome::SendFailed));
    }

    // Each stall waits for the meter's last word, then the silence is ticked away.
    void stallsEndByTheTimeOut_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("atBlock");
        QTest::addColumn<int>("blocksSent");
        // Reports the meter sends before it stalls; -1: it is unplugged while they may still
        // be queued, so the stall is the meter being gone.
        QTest::addColumn<int>("replies");
        using S = sim::UpgradeScript;
        QTest::newRow("wrong handshake CRC") << int(S::BadHandshakeCrc) << 0 << 0 << 1;
        QTest::newRow("never in upgrade mode") << int(S::StayInNormalMode) << 0 << 0 << 0;
        QTest::newRow("silent at block 3") << int(S::GoSilent) << 3 << 4 << 4;
        QTest::newRow("older ack at block 3") << int(S::AckOlderBlock) << 3 << 4 << 5;
        QTest::newRow("unplug at block 3") << int(S::Unplug) << 3 << 4 << 4;
        QTest::newRow("silent after all received")
            << int(S::GoSilent) << int(S::writingPhase) << 18 << 20;
        QTest::newRow("unplug while writing") << int(S::Unplug) << int(S::writingPhase) << 18 << -1;
    }
    void stallsEndByTheTimeOut() {
        QFETCH(int, fault);
        QFETCH(int, atBlock);
        QFETCH(int, blocksSent);
        QFETCH(int, replies);
        Rig rig(sim::UpgradeScript::Fault(fault), atBlock);
        rig.start(testImage(1000));
        const auto stalled = [&] {
            const bool quiet =
                replies < 0 ? !sim::isPlugged(rig.meter) : rig.reportsHandled == replies;
            return rig.packetsOfType(0xCC) == blocksSent && quiet;
        };
        rig.runUntil(stalled);
        QVERIFY(stalled());
        QVERIFY(!rig.outcome);
        rig.ticks(FirmwareUpgrade::timeoutLimit - 1);
        QVERIFY(!rig.outcome);
        rig.ticks(1);
        QCOMPARE(rig.outcome, std::optional<Outcome>(Outcome::TimedOut));
    }
};

QTEST_GUILESS_MAIN(UpgradeOverLinkTest)
#include "test_upgrade_over_link.moc"
