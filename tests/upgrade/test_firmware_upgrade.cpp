// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirmwareUpgrade.h"
#include "UpgradeReplies.h"

#include "TestImage.h"

#include <QtTest>

#include <vector>

namespace {

using Outcome = FirmwareUpgrade::Outcome;

// Everything the engine produced, and the clock it reads.
struct Harness {
    Harness()
        : engine({[this](const Upgrade::Packet& p) { sent.push_back(p); },
                  [this](const QString& line) { log << line; },
                  [this](const FirmwareUpgrade::Progress& p) { progress.push_back(p); },
                  [this](Outcome o) { outcomes.push_back(o); }},
                 [this] { return now; }) {}

    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            engine.tick();
    }
    // Handshake accepted and every block acknowledged, as a meter would.
    void transferAll(int size) {
        engine.handleReport(replies::handshake(Upgrade::blockCount(size)));
        for (int i = 0; i < Upgrade::blockCount(size); ++i)
            engine.handleReport(replies::ack(i));
    }

    qint64 now = 1000;
    std::vector<Upgrade::Packet> sent;
    QStringList log;
    std::vector<FirmwareUpgrade::Progress> progress;
    std::vector<Outcome> outcomes;
    FirmwareUpgrade engine;
};

} // namespace

class FirmwareUpgradeTest : public QObject {
    Q_OBJECT
private slots:
    void imageOutsideTheSizeRulesStartsNothing() {
        Harness h;
        h.engine.start(QByteArray());
        h.engine.start(QByteArray(Upgrade::maxImageSize + 1, '\0'));
        QVERIFY(!h.engine.upgrading());
        QVERIFY(h.sent.empty());
        h.engine.start(QByteArray(Upgrade::maxImageSize, '\0'));
        QCOMPARE(h.sent.back(), Upgrade::handshakePacket(Upgrade::maxImageSize));
    }

    void twoFullBlocksAreSentOneAckAtATimeThenTheMeterIsAwaited() {
        Harness h;
        const QByteArray image = testImage(116);
        h.engine.start(image);
        QCOMPARE(h.sent, std::vector<Upgrade::Packet>{Upgrade::handshakePacket(116)});
        QVERIFY(h.log.isEmpty());
        h.engine.handleReport(replies::handshake());
        QCOMPARE(h.log, QStringList({"握手成功...", "开始传输固件..."}));
        QCOMPARE(h.sent.back(), Upgrade::blockPacket(image, 0));
        h.engine.handleReport(replies::ack(0));
        QCOMPARE(h.sent.back(), Upgrade::blockPacket(image, 1));
        h.engine.handleReport(replies::ack(1));
        QCOMPARE(int(h.sent.size()), 3); // nothing left to send
        QVERIFY(h.engine.upgrading());
        QVERIFY(h.outcomes.empty());
    }

    void allReceivedLogsTimeAndSpeedAndKeepsWaitingForTheWrite() {
        Harness h;
        h.engine.start(testImage(20480));
        h.now = 1005;
        h.transferAll(20480);
        h.now = 1015;
        h.log.clear();
        h.engine.handleReport(replies::allReceived());
        QCOMPARE(h.log, QStringList(
                            {"传输完成...", "传输耗时10秒", "2.00KB/秒", "请等待设备烧写完成..."}));
        QVERIFY(h.engine.upgrading());
        h.now = 1017;
        h.log.clear();
        h.engine.handleReport(replies::written());
        QCOMPARE(h.log, QStringList({"下载烧写过程耗时12秒", "烧写完成...", "本次下载结束"}));
        QVERIFY(!h.engine.upgrading());
        QCOMPARE(h.outcomes, std::vector<Outcome>{Outcome::Written});
    }

    // Progress of the first, the last but one and the last block sent.
    void progressCountsBytesSentAndStopsAt99Point9UntilWritten_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<float>>("percents");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("5800 bytes")
            << 5800 << QList<float>{1.0f, 99.0f, 99.9f} << QList<int>{1, 99, 99};
        QTest::newRow("116 bytes")
            << 116 << QList<float>{50.0f, 50.0f, 99.9f} << QList<int>{50, 50, 99};
        // The short last block ends at 100 as well, not beyond it.
        const float oneBlock = 58.0f / 59.0f * 100.0f;
        QTest::newRow("59 bytes") << 59 << QList<float>{oneBlock, oneBlock, 99.9f}
                                  << QList<int>{98, 98, 99};
    }
    void progressCountsBytesSentAndStopsAt99Point9UntilWritten() {
        QFETCH(int, size);
        QFETCH(QList<float>, percents);
        QFETCH(QList<int>, values);
        Harness h;
        h.engine.start(testImage(size));
        h.transferAll(size);
        QCOMPARE(int(h.progress.size()), Upgrade::blockCount(size));
        const size_t last = h.progress.size() - 1;
        const size_t shown[] = {0, last - 1, last};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(h.progress[shown[k]].percent, percents[k]);
            QCOMPARE(h.progress[shown[k]].value, values[k]);
        }
    }

    // 120 ticks from the start or from any accepted reply, also the 0xEE, end the upgrade.
    void silenceOf120TicksEndsTheUpgrade() {
        Harness h;
        h.engine.start(testImage(116));
        for (const QByteArray& reply :
             {replies::handshake(), replies::ack(0), replies::ack(1), replies::allReceived()}) {
            h.ticks(119);
            h.engine.handleReport(reply);
        }
        h.ticks(119);
        QVERIFY(h.engine.upgrading());
        QVERIFY(h.outcomes.empty());
        h.engine.tick();
        QVERIFY(!h.engine.upgrading());
        QCOMPARE(h.outcomes, std::vector<Outcome>{Outcome::TimedOut});
    }

    // Only the acknowledgement of the block in flight sends the next one; a second 0xBB
    // starts the transfer again from block 0.
    void outOfTurnRepliesSendOnlyWhatTheMeterAsksFor() {
        Harness h;
        const QByteArray image = testImage(1000);
        h.engine.start(image);
        h.engine.handleReport(replies::handshake());
        h.engine.handleReport(replies::ack(0));
        h.ticks(50);
        h.engine.handleReport(replies::ack(0)); // block 1 is the one in flight
        QCOMPARE(h.engine.timeoutTicks(), 0);
        h.engine.handleReport(replies::ack(5)); // not sent yet
        QCOMPARE(int(h.sent.size()), 3);
        h.engine.handleReport(replies::ack(1));
        QCOMPARE(h.sent.back(), Upgrade::blockPacket(image, 2));
        h.now = 2000;
        h.engine.handleReport(replies::handshake());
        QCOMPARE(h.sent.back(), Upgrade::blockPacket(image, 0));
        QCOMPARE(h.engine.transferStart(), qint64(2000));
    }
};

QTEST_GUILESS_MAIN(FirmwareUpgradeTest)
#include "test_firmware_upgrade.moc"
