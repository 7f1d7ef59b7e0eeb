// SPDX-License-Identifier: GPL-3.0-or-later
#include "Crc16.h"
#include "UpgradePackets.h"
#include "UpgradeReply.h"
#include "UpgradeTexts.h"

#include "TestImage.h"

#include <QtTest>

#include <initializer_list>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

QByteArray packetBytes(const Upgrade::Packet& packet) {
    return QByteArray(reinterpret_cast<const char*>(packet.data()), int(packet.size()));
}

// `head` followed by zeros up to 64 bytes.
QByteArray padded(const QByteArray& head) {
    return head + QByteArray(64 - head.size(), '\0');
}

// A 64-byte report carrying `reply` from byte 1 on; byte 0 is what the meter puts there.
QByteArray report(const QByteArray& reply, char firstByte = 0x55) {
    return padded(firstByte + reply);
}

// BB R ... with the CRC over reply bytes 0..R-3 at.
QByteArray handshakeReply(int length) {
    QByteArray reply = bytes({0xBB, length});
    reply.append(QByteArray(length - 4, '\x5A'));
    const quint16 crc =
        crc16Modbus(reinterpret_cast<const unsigned char*>(reply.constData()), reply.size());
    reply.append(static_cast<char>(crc & 0xFF));
    reply.append(static_cast<char>(crc >> 8));
    return reply;
}

} // namespace

class UpgradePacketsTest : public QObject {
    Q_OBJECT
private slots:
    void handshakeAnnouncesTheBlockCount_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("1000 bytes, 18 blocks")
            << 1000 << bytes({0xAA, 0x06, 0x12, 0x00, 0xCD, 0x5D});
        QTest::newRow("116 bytes, 2 blocks") << 116 << bytes({0xAA, 0x06, 0x02, 0x00, 0xC0, 0x9D});
    }
    void handshakeAnnouncesTheBlockCount() {
        QFETCH(int, size);
        QFETCH(QByteArray, head);
        QCOMPARE(packetBytes(Upgrade::handshakePacket(size)), padded(head));
    }

    void fullBlockCarries58BytesAndItsCrcReachesByte63() {
        const QByteArray image = testImage(0x103 * 58);
        const QByteArray block = packetBytes(Upgrade::blockPacket(image, 0x0102));
        QCOMPARE(block.left(4), bytes({0xCC, 0x40, 0x02, 0x01})); // index little-endian
        QCOMPARE(block.mid(4, 58), image.mid(0x0102 * 58, 58));
        const quint16 crc =
            crc16Modbus(reinterpret_cast<const unsigned char*>(block.constData()), 62);
        QCOMPARE(quint8(block[62]), quint8(crc & 0xFF));
        QCOMPARE(quint8(block[63]), quint8(crc >> 8));
    }

    void lastBlockOfOneByteHasLength7AndItsCrcAt5() {
        const QByteArray image = testImage(59);
        QCOMPARE(quint8(Upgrade::blockPacket(image, 0)[1]), quint8(0x40));
        const QByteArray block = packetBytes(Upgrade::blockPacket(image, 1));
        const quint16 crc =
            crc16Modbus(reinterpret_cast<const unsigned char*>(block.constData()), 5);
        QCOMPARE(block,
                 padded(bytes({0xCC, 0x07, 0x01, 0x00, quint8(image[58]), crc & 0xFF, crc >> 8})));
    }

    void repliesAreReadFromByteOne_data() {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("index");
        QTest::newRow("handshake, byte 0 anything")
            << report(handshakeReply(6), '\xBB') << int(Upgrade::Reply::HandshakeAccepted) << 0;
        QTest::newRow("ack 258") << report(bytes({0xDD, 0x04, 0x02, 0x01}))
                                 << int(Upgrade::Reply::BlockAcknowledged) << 258;
        QTest::newRow("all received")
            << report(bytes({0xEE})) << int(Upgrade::Reply::AllReceived) << 0;
        QTest::newRow("written") << report(bytes({0xFF})) << int(Upgrade::Reply::Written) << 0;
        QTest::newRow("failed") << report(bytes({0x11})) << int(Upgrade::Reply::Failed) << 0;
        QTest::newRow("unknown type") << report(bytes({0x12})) << int(Upgrade::Reply::Ignored) << 0;
        QTest::newRow("type in byte 0 only")
            << report(bytes({0x00}), '\xFF') << int(Upgrade::Reply::Ignored) << 0;
        QTest::newRow("short report")
            << QByteArray("\x55\xFF", 2) << int(Upgrade::Reply::Ignored) << 0;
        // The handshake reply's CRC must hold and lie within the 63 reply bytes.
        for (int length : {4, 6, 63})
            QTest::addRow("handshake of length %d", length)
                << report(handshakeReply(length)) << int(Upgrade::Reply::HandshakeAccepted) << 0;
        QByteArray wrong = handshakeReply(6);
        wrong[4] = static_cast<char>(wrong[4] ^ 1);
        QTest::newRow("handshake, wrong CRC") << report(wrong) << int(Upgrade::Reply::Ignored) << 0;
        for (int length : {0, 1, 2, 3, 64, 200, 255})
            QTest::addRow("handshake with length byte %d", length)
                << report(bytes({0xBB, length}) + QByteArray(61, '\xFF'))
                << int(Upgrade::Reply::Ignored) << 0;
    }
    void repliesAreReadFromByteOne() {
        QFETCH(QByteArray, report);
        QFETCH(int, kind);
        QFETCH(int, index);
        const Upgrade::Reply reply = Upgrade::parseReply(report);
        QCOMPARE(int(reply.kind), kind);
        QCOMPARE(reply.acknowledgedIndex, index);
    }

    void sizeLabelShowsKilobytesAbove1024Bytes_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("text");
        QTest::newRow("1024") << qint64(1024) << QString("固件大小:1024字节");
        QTest::newRow("1025") << qint64(1025) << QString("固件大小:1.0KB   1025字节");
        QTest::newRow("2 MiB") << qint64(2097152) << QString("固件大小:2048.0KB   2097152字节");
    }
    void sizeLabelShowsKilobytesAbove1024Bytes() {
        QFETCH(qint64, size);
        QFETCH(QString, text);
        QCOMPARE(firmwareSizeText(size), text);
    }

    void speedIsBytesPerWholeSecondAndNeverDividesByZero_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("1024 is still bytes") << qint64(2048) << qint64(2) << QString("1024字节/秒");
        QTest::newRow("kilobytes") << qint64(20480) << qint64(10) << QString("2.00KB/秒");
        QTest::newRow("integer division first")
            << qint64(3000) << qint64(2) << QString("1.46KB/秒");
        QTest::newRow("under a second") << qint64(2048) << qint64(0) << QString("≥2.00KB/秒");
        QTest::newRow("clock set back") << qint64(100) << qint64(-3) << QString("≥100字节/秒");
    }
    void speedIsBytesPerWholeSecondAndNeverDividesByZero() {
        QFETCH(qint64, size);
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(transferSpeedText(size, seconds), text);
    }
};

QTEST_GUILESS_MAIN(UpgradePacketsTest)
#include "test_upgrade_packets.moc"
