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

    // Index of the last block packet sent, -1 when the last packet is not a block.
    int lastBlockIndex() const {
        if (sent.empty() || sent.back()[0] != Upgrade::blockType)
            return -1;
        return sent.back()[2] | (sent.back()[3] << 8);
    }
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
    void startSendsTheHandshakeAndWaitsForTheMeter() {
        Harness h;
        h.engine.start(testImage(1000));
        QVERIFY(h.engine.upgrading());
        QCOMPARE(h.engine.timeoutTicks(), 0);
        QCOMPARE(int(h.sent.size()), 1);
        QCOMPARE(h.sent[0], Upgrade::handshakePacket(1000));
        QVERIFY(h.log.isEmpty());
    }

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
        h.engine.handleReport(replies::handshake());
        QCOMPARE(h.log, QStringList({"握手成功...", "开始传输固件..."}));
        QCOMPARE(int(h.sent.size()), 2);
        QCOMPARE(h.sent[1], Upgrade::blockPacket(image, 0));
        QCOMPARE(h.engine.blockIndex(), 1);
        QCOMPARE(h.engine.bytesLeft(), 58);
        h.engine.handleReport(replies::ack(0));
        QCOMPARE(h.sent[2], Upgrade::blockPacket(image, 1));
        QCOMPARE(h.engine.bytesLeft(), 0);
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
        h.engine.tick();
        h.engine.handleReport(replies::allReceived());
        QCOMPARE(h.log, QStringList(
                            {"传输完成...", "传输耗时10秒", "2.00KB/秒", "请等待设备烧写完成..."}));
        QVERIFY(h.engine.upgrading());
        QCOMPARE(h.engine.timeoutTicks(), 0);
        h.now = 1017;
        h.log.clear();
        h.engine.handleReport(replies::written());
        QCOMPARE(h.log, QStringList({"下载烧写过程耗时12秒", "烧写完成...", "本次下载结束"}));
        QVERIFY(!h.engine.upgrading());
        QCOMPARE(h.outcomes, std::vector<Outcome>{Outcome::Written});
        QCOMPARE(h.progress.back().value, 100);
        QCOMPARE(h.progress.back().percent, 100.0f);
    }

    void progressCountsBytesSentAndStopsAt99Point9UntilWritten_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<float>>("percents");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("5800 bytes, first and last blocks")
            << 5800 << QList<float>{1.0f, 99.0f, 99.9f} << QList<int>{1, 99, 99};
        QTest::newRow("116 bytes") << 116 << QList<float>{50.0f, 99.9f} << QList<int>{50, 99};
        // The short last block ends at 100 as well, not beyond it.
        QTest::newRow("59 bytes") << 59 << QList<float>{58.0f / 59.0f * 100.0f, 99.9f}
                                  << QList<int>{98, 99};
    }
    void progressCountsBytesSentAndStopsAt99Point9UntilWritten() {
        QFETCH(int, size);
        QFETCH(QList<float>, percents);
        QFETCH(QList<int>, values);
        Harness h;
        h.engine.start(testImage(size));
        h.transferAll(size);
        QCOMPARE(int(h.progress.size()), Upgrade::blockCount(size));
        const int first = 0;
        const int last = int(h.progress.size()) - 1;
        QCOMPARE(h.progress[first].percent, percents.first());
        QCOMPARE(h.progress[first].value, values.first());
        QCOMPARE(h.progress[last].percent, percents.last());
        QCOMPARE(h.progress[last].value, values.last());
        if (percents.size() == 3) {
            QCOMPARE(h.progress[last - 1].percent, percents[1]);
            QCOMPARE(h.progress[last - 1].value, values[1]);
        }
    }

    void silenceOf120TicksEndsTheUpgrade() {
        Harness h;
        h.engine.start(testImage(116));
        h.ticks(119);
        QVERIFY(h.engine.upgrading());
        QVERIFY(h.outcomes.empty());
        h.engine.tick();
        QVERIFY(!h.engine.upgrading());
        QCOMPARE(h.outcomes, std::vector<Outcome>{Outcome::TimedOut});
        h.ticks(200); // a late tick after the end changes nothing
        QCOMPARE(int(h.outcomes.size()), 1);
    }

    void everyAcceptedReplyRestartsTheTimeOutEvenAfterAllReceived() {
        Harness h;
        h.engine.start(testImage(116));
        h.ticks(100);
        h.engine.handleReport(replies::handshake());
        QCOMPARE(h.engine.timeoutTicks(), 0);
        h.ticks(100);
        h.engine.handleReport(replies::ack(0));
        h.ticks(100);
        h.engine.handleReport(replies::ack(1));
        h.ticks(100);
        h.engine.handleReport(replies::allReceived());
        h.ticks(119);
        QVERIFY(h.outcomes.empty());
        h.engine.tick(); // no 0xFF within 12 s of 0xEE
        QCOMPARE(h.outcomes, std::vector<Outcome>{Outcome::TimedOut});
    }

    void meterFailureEndsTheUpgrade() {
        Harness h;
        h.engine.start(testImage(116));
        h.engine.handleReport(replies::handshake());
        h.ticks(5);
        h.engine.handleReport(replies::failed());
        QVERIFY(!h.engine.upgrading());
        QCOMPARE(h.engine.timeoutTicks(), 0);
        QCOMPARE(h.outcomes, std::vector<Outcome>{Outcome::MeterFailed});
        h.engine.handleReport(replies::ack(0)); // after the end: ignored
        QCOMPARE(int(h.sent.size()), 2);
    }

    void sendFailureEndsARunningUpgradeOnly() {
        Harness h;
        h.engine.sendFailed();
        QVERIFY(h.outcomes.empty());
        h.engine.start(testImage(116));
        h.engine.sendFailed();
        QVERIFY(!h.engine.upgrading());
        QCOMPARE(h.outcomes, std::vector<Outcome>{Outcome::SendFailed});
    }

    void handshakeReplyWithAWrongCrcChangesNothing() {
        Harness h;
        h.engine.start(testImage(116));
        h.ticks(7);
        h.engine.handleReport(replies::handshake(2, false));
        QCOMPARE(h.engine.timeoutTicks(), 7);
        QCOMPARE(int(h.sent.size()), 1);
        QVERIFY(h.log.isEmpty());
    }

    void olderAcknowledgementRestartsTheTimeOutAndSendsNothing() {
        Harness h;
        h.engine.start(testImage(1000));
        h.engine.handleReport(replies::handshake());
        h.engine.handleReport(replies::ack(0));
        h.ticks(50);
        h.engine.handleReport(replies::ack(0)); // block 1 is the one in flight
        QCOMPARE(h.engine.timeoutTicks(), 0);
        QCOMPARE(int(h.sent.size()), 3);
        h.engine.handleReport(replies::ack(5)); // not sent yet
        QCOMPARE(int(h.sent.size()), 3);
        h.engine.handleReport(replies::ack(1));
        QCOMPARE(h.lastBlockIndex(), 2);
    }

    void secondHandshakeReplyRestartsFromBlockZero() {
        Harness h;
        const QByteArray image = testImage(1000);
        h.engine.start(image);
        h.engine.handleReport(replies::handshake());
        for (int i = 0; i < 5; ++i)
            h.engine.handleReport(replies::ack(i));
        QCOMPARE(h.engine.blockIndex(), 6);
        h.now = 2000;
        h.engine.handleReport(replies::handshake());
        QCOMPARE(h.lastBlockIndex(), 0);
        QCOMPARE(h.sent.back(), Upgrade::blockPacket(image, 0));
        QCOMPARE(h.engine.blockIndex(), 1);
        QCOMPARE(h.engine.bytesLeft(), 1000 - 58);
        QCOMPARE(h.engine.transferStart(), qint64(2000));
    }

    void repliesWithoutAnUpgradeChangeNothing() {
        Harness h;
        for (const QByteArray& r : {replies::handshake(), replies::ack(0), replies::allReceived(),
                                    replies::written(), replies::failed()})
            h.engine.handleReport(r);
        h.ticks(500);
        QVERIFY(!h.engine.upgrading());
        QVERIFY(h.sent.empty() && h.log.isEmpty() && h.progress.empty() && h.outcomes.empty());
        QCOMPARE(h.engine.timeoutTicks(), 0);
    }

    // An abandoned upgrade leaves no block position behind for the next one to resume.
    void acknowledgementBeforeTheHandshakeReplySendsNothing() {
        Harness h;
        h.engine.start(testImage(2000));
        h.engine.handleReport(replies::handshake());
        h.engine.handleReport(replies::ack(0));
        h.engine.sendFailed();
        h.engine.start(testImage(100));
        QCOMPARE(h.engine.blockIndex(), 0);
        h.engine.handleReport(replies::ack(1));
        QCOMPARE(h.sent.back(), Upgrade::handshakePacket(100));
    }
};

QTEST_GUILESS_MAIN(FirmwareUpgradeTest)
#include "test_firmware_upgrade.moc"
