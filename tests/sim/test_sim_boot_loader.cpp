// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated meter's upgrade mode through the hidapi functions: the handshake, block
// checks and acknowledgements, the writing phase and the image it keeps. The host's packets
// come from the upgrade engine's packet builders.

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
    // Code 02 and the handshake for `image`; returns the handshake reply.
    QByteArray begin(const QByteArray& image) {
        write(enterUpgradeMode);
        send(Upgrade::handshakePacket(image.size()));
        return reply();
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

    void fullUpgradeIsAcknowledgedWrittenAndKept() {
        const int meter = sim::plug();
        sim::setUpgradeScript(meter, upgradeScript(sim::UpgradeScript::None));
        sim::holdClock(true);
        Host host;
        const QByteArray image = testImage(1000);
        QCOMPARE(host.begin(image), QByteArray::fromHex("BB061200C861") + QByteArray(57, '\0'));
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

    void damagedOrMisplacedBlocksFailTheUpgrade_data() {
        QTest::addColumn<int>("byte");
        QTest::newRow("data byte") << 10;
        QTest::newRow("index") << 2;
        QTest::newRow("length") << 1;
        // The high CRC byte of a full block is packet byte 63, which never reaches the meter.
        QTest::newRow("low CRC byte") << 62;
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
};

QTEST_GUILESS_MAIN(SimBootLoaderTest)
#include "test_sim_boot_loader.moc"
