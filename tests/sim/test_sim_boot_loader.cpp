// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated meter's upgrade mode through the hidapi functions: entered on code 02, the
// handshake, block checks and acknowledgements, the writing phase, the scripted faults and
// the image it keeps. The host's packets come from the upgrade engine's packet builders.

#include "UpgradePackets.h"

#include <SimMeter.h>
#include <hidapi.h>

#include "TestImage.h"
#include "UpgradeScripts.h"

#include <QtTest>

#include <memory>

namespace {

using Handle = std::unique_ptr<hid_device, void (*)(hid_device*)>;

const QByteArray enterUpgradeMode = QByteArray::fromHex("55050902000000EEFF");
const QByteArray poll = QByteArray::fromHex("550522050B008CEEFF");

// The meter's side of one upgrade: a handle, and the packets sent as the link thread
// sends them (0x55, then packet bytes 0-62).
struct Host {
    Host() : handle(hid_open(0x0483, 0x5750, nullptr), hid_close) {}

    int write(const QByteArray& report) {
        QByteArray full = report + QByteArray(64 - report.size(), '\0');
        return hid_write(handle.get(), reinterpret_cast<const unsigned char*>(full.constData()),
                         64);
    }
    int send(const Upgrade::Packet& packet) {
        return write(char(0x55) + QByteArray(reinterpret_cast<const char*>(packet.data()), 63));
    }
    // The reply of the next report (bytes 1..), empty when none is queued, "dead" on -1.
    QByteArray reply(int timeoutMs = 0) {
        unsigned char buffer[64];
        const int n = hid_read_timeout(handle.get(), buffer, 64, timeoutMs);
        if (n < 0)
            return "dead";
        return QByteArray(reinterpret_cast<const char*>(buffer) + 1, n > 0 ? n - 1 : 0);
    }
    void drain() {
        for (QByteArray r = reply(); !r.isEmpty() && r != "dead"; r = reply())
            continue;
    }
    // Code 02 and the handshake for `image`; returns the handshake reply.
    QByteArray begin(const QByteArray& image) {
        write(enterUpgradeMode);
        send(Upgrade::handshakePacket(image.size()));
        return reply();
    }
    // Blocks from..to-1, each followed by its replies: their types in order, an
    // acknowledgement with the low byte of the block it names.
    QByteArray sendBlocks(const QByteArray& image, int from, int to) {
        QByteArray types;
        for (int i = from; i < to; ++i) {
            send(Upgrade::blockPacket(image, i));
            types += replies();
        }
        return types;
    }
    QByteArray replies(int timeoutMs = 0) {
        QByteArray types;
        for (QByteArray r = reply(timeoutMs); !r.isEmpty() && r != "dead"; r = reply())
            types += r.startsWith('\xDD') ? r.left(1) + r.mid(2, 1) : r.left(1);
        return types;
    }

    Handle handle;
};

QByteArray received(int meter) {
    const std::vector<unsigned char> image = sim::receivedImage(meter);
    return QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
}

} // namespace

class SimBootLoaderTest : public QObject {
    Q_OBJECT
private slots:
    void init() { sim::reset(); }
    void cleanupTestCase() { sim::reset(); }

    // A wrong CRC in the handshake reply changes nothing else.
    void fullUpgradeIsAcknowledgedWrittenAndKept_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QByteArray>("handshakeReply");
        QTest::newRow("sound") << int(sim::UpgradeScript::None) << QByteArray::fromHex("C861");
        QTest::newRow("wrong handshake CRC")
            << int(sim::UpgradeScript::BadHandshakeCrc) << QByteArray::fromHex("379E");
    }
    void fullUpgradeIsAcknowledgedWrittenAndKept() {
        QFETCH(int, fault);
        QFETCH(QByteArray, handshakeReply);
        const int meter = sim::plug();
        sim::setUpgradeScript(meter, upgradeScript(sim::UpgradeScript::Fault(fault)));
        sim::holdClock(true);
        Host host;
        const QByteArray image = testImage(1000);
        QCOMPARE(host.begin(image),
                 QByteArray::fromHex("BB061200") + handshakeReply + QByteArray(57, '\0'));
        QVERIFY(sim::inUpgradeMode(meter));
        for (int i = 0; i < 18; ++i) {
            host.send(Upgrade::blockPacket(image, i));
            QCOMPARE(host.reply().left(4), QByteArray::fromHex("DD04") + char(i) + '\0');
        }
        QCOMPARE(host.reply().left(1), QByteArray("\xEE"));
        QCOMPARE(host.reply(), QByteArray()); // still writing
        sim::holdClock(false);
        QCOMPARE(host.reply(5000).left(1), QByteArray("\xFF"));
        QVERIFY(!sim::inUpgradeMode(meter));
        QCOMPARE(received(meter), image);
    }

    void pollsGoUnansweredInUpgradeModeAndAnsweredAfterIt() {
        const int meter = sim::plug();
        sim::setUpgradeScript(meter, upgradeScript(sim::UpgradeScript::None));
        Host host;
        const QByteArray image = testImage(59);
        host.begin(image);
        host.write(poll);
        QCOMPARE(host.reply(), QByteArray());
        host.sendBlocks(image, 0, 2);
        QTRY_VERIFY(!sim::inUpgradeMode(meter));
        host.drain();
        host.write(poll);
        QCOMPARE(host.reply().left(3), QByteArray::fromHex("406205"));
    }

    void packetsOutsideUpgradeModeGetNoAnswer() {
        const int meter = sim::plug();
        Host host;
        host.send(Upgrade::handshakePacket(100));
        host.send(Upgrade::blockPacket(testImage(100), 0));
        QCOMPARE(host.reply(), QByteArray());
        QVERIFY(!sim::inUpgradeMode(meter));
    }

    // The high CRC byte of a full block is packet byte 63, which never reaches the meter.
    void fullBlockIsCheckedOnItsLowCrcByteOnly() {
        sim::plug();
        Host host;
        const QByteArray image = testImage(116);
        host.begin(image);
        Upgrade::Packet block = Upgrade::blockPacket(image, 0);
        block[63] ^= 0xFF;
        host.send(block);
        QCOMPARE(host.replies(), QByteArray::fromHex("DD00"));
        block = Upgrade::blockPacket(image, 1);
        block[62] ^= 0x01;
        host.send(block);
        QCOMPARE(host.reply().left(1), QByteArray("\x11"));
    }

    void damagedOrMisplacedBlocksFailTheUpgrade_data() {
        QTest::addColumn<int>("byte");
        QTest::newRow("data byte") << 10;
        QTest::newRow("index") << 2;
        QTest::newRow("length") << 1;
    }
    void damagedOrMisplacedBlocksFailTheUpgrade() {
        QFETCH(int, byte);
        const int meter = sim::plug();
        Host host;
        const QByteArray image = testImage(200);
        host.begin(image);
        Upgrade::Packet block = Upgrade::blockPacket(image, 0);
        block[byte] ^= 0x01;
        host.send(block);
        QCOMPARE(host.reply().left(1), QByteArray("\x11"));
        QVERIFY(!sim::inUpgradeMode(meter));
    }

    // Every reply to four blocks that make the whole image, then to the end of the writing
    // phase. After a second 0xBB the meter expects block 0 again, so block 3 fails.
    void scriptedFaultsReplaceTheAcknowledgementOfTheirBlock_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("atBlock");
        QTest::addColumn<QByteArray>("replies");
        using S = sim::UpgradeScript;
        QTest::newRow("failure") << int(S::ReportFailure) << 2 << QByteArray::fromHex("DD00DD0111");
        QTest::newRow("silent") << int(S::GoSilent) << 2 << QByteArray::fromHex("DD00DD01");
        QTest::newRow("older ack")
            << int(S::AckOlderBlock) << 2 << QByteArray::fromHex("DD00DD01DD01DD03EEFF");
        QTest::newRow("second handshake")
            << int(S::RepeatHandshake) << 2 << QByteArray::fromHex("DD00DD01BB11");
        QTest::newRow("failure while writing") << int(S::ReportFailure) << int(S::writingPhase)
                                               << QByteArray::fromHex("DD00DD01DD02DD03EE11");
    }
    void scriptedFaultsReplaceTheAcknowledgementOfTheirBlock() {
        QFETCH(int, fault);
        QFETCH(int, atBlock);
        QFETCH(QByteArray, replies);
        const int meter = sim::plug();
        sim::setUpgradeScript(meter, upgradeScript(sim::UpgradeScript::Fault(fault), atBlock));
        sim::holdClock(true);
        Host host;
        const QByteArray image = testImage(58 * 4);
        host.begin(image);
        QByteArray got = host.sendBlocks(image, 0, 4);
        sim::holdClock(false);
        if (got.endsWith('\xEE'))
            got += host.replies(5000);
        QCOMPARE(got.toHex(), replies.toHex());
    }

    void meterCanUnplugDuringTheBlocksOrTheWritingPhase_data() {
        QTest::addColumn<int>("atBlock");
        QTest::addColumn<QByteArray>("replies");
        QTest::newRow("block 1") << 1 << QByteArray::fromHex("DD00");
        QTest::newRow("writing") << int(sim::UpgradeScript::writingPhase)
                                 << QByteArray::fromHex("DD00DD01EE");
    }
    void meterCanUnplugDuringTheBlocksOrTheWritingPhase() {
        QFETCH(int, atBlock);
        QFETCH(QByteArray, replies);
        const int meter = sim::plug();
        sim::setUpgradeScript(meter, upgradeScript(sim::UpgradeScript::Unplug, atBlock));
        sim::holdClock(true);
        Host host;
        const QByteArray image = testImage(116);
        host.begin(image);
        QCOMPARE(host.sendBlocks(image, 0, 2).toHex(), replies.toHex());
        sim::holdClock(false);
        QTRY_VERIFY(!sim::isPlugged(meter));
        QCOMPARE(host.reply(), QByteArray("dead"));
        QVERIFY(!sim::inUpgradeMode(meter));
    }
};

QTEST_GUILESS_MAIN(SimBootLoaderTest)
#include "test_sim_boot_loader.moc"
