// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the firmware upgrade engine must do under any sequence of replies and ticks, shared
// by the libFuzzer target and its smoke run. The input decodes as: the image size (2 bytes),
// then events, each an operation byte and its arguments:
//   tick      - 1 to 256 ticks of 100 ms
//   raw       - a 64-byte report of input bytes (zero-padded)
//   reply     - a well-formed reply: 0xBB with a valid CRC, 0xDD with an index, 0xEE, 0xFF, 0x11
//   restart   - start again (sometimes with an empty or oversized image), or a send failure
// The engine's state is checked after every event, each packet and progress as it is sent.

#include "FirmwareUpgrade.h"
#include "FuzzBytes.h"
#include "UpgradePackets.h"
#include "UpgradeReply.h"

#include "Crc16.h"

#include <algorithm>
#include <cstring>

class UpgradeInvariants {
public:
    QString run(FuzzBytes& in) {
        FirmwareUpgrade engine(outputs(), [this] { return ++seconds; });
        startWith(engine, imageOfSize(1 + int(in.number(2) % maxFuzzImage)));
        while (!in.empty() && violation.isEmpty()) {
            step(engine, in);
            checkState(engine);
        }
        return violation;
    }

private:
    static constexpr int maxFuzzImage = 4000;
    static constexpr int restartSizeStep = 17;
    static constexpr int maxPatternImage = maxFuzzImage + 256 * restartSizeStep;
    enum Operation { Tick, Raw, Reply, Restart, operationCount };

    // A patterned image, cut from one made once: filling an image per input would cost
    // more than the run it feeds.
    static QByteArray imageOfSize(int size) {
        static const QByteArray pattern = [] {
            QByteArray bytes(maxPatternImage, '\0');
            for (int i = 0; i < maxPatternImage; ++i)
                bytes[i] = char(i * 31 + 7);
            return bytes;
        }();
        return pattern.left(size);
    }

    static QByteArray oversizedImage() {
        static const QByteArray image(Upgrade::maxImageSize + 1, '\0');
        return image;
    }

    FirmwareUpgrade::Output outputs() {
        return {[this](const Upgrade::Packet& p) { checkPacket(p); }, [](const QString&) {},
                [this](const FirmwareUpgrade::Progress& p) { checkProgress(p); },
                [this](FirmwareUpgrade::Outcome o) { checkFinished(o); }};
    }

    void startWith(FirmwareUpgrade& engine, const QByteArray& newImage) {
        const bool starts = !newImage.isEmpty() && newImage.size() <= Upgrade::maxImageSize;
        const bool wasRunning = engine.upgrading();
        if (starts) {
            image = newImage;
            finishedSinceStart = false;
            writtenSeen = false;
        }
        engine.start(newImage);
        if (engine.upgrading() != (starts || wasRunning))
            fail(QStringLiteral("start of %1 bytes left running %2")
                     .arg(newImage.size())
                     .arg(engine.upgrading()));
    }

    void step(FirmwareUpgrade& engine, FuzzBytes& in) {
        switch (in.byte() % operationCount) {
        case Tick:
            for (int n = 1 + in.byte(); n > 0; --n)
                engine.tick();
            break;
        case Raw: {
            QByteArray report = in.take(Upgrade::packetSize);
            report.append(QByteArray(int(Upgrade::packetSize) - report.size(), '\0'));
            engine.handleReport(report);
            break;
        }
        case Reply:
            engine.handleReport(wellFormedReply(in));
            break;
        default:
            restart(engine, in.byte());
        }
    }

    void restart(FirmwareUpgrade& engine, std::uint8_t how) {
        switch (how % 4) {
        case 0:
            engine.sendFailed();
            break;
        case 1:
            startWith(engine, QByteArray());
            break;
        case 2:
            startWith(engine, oversizedImage());
            break;
        default:
            startWith(engine, imageOfSize(1 + how * restartSizeStep));
        }
    }

    static QByteArray wellFormedReply(FuzzBytes& in) {
        using namespace Upgrade;
        static constexpr unsigned char types[] = {
            ReplyType::handshakeAccepted, ReplyType::blockAcknowledged, ReplyType::allReceived,
            ReplyType::written, ReplyType::failed};
        QByteArray report(int(packetSize), '\0');
        auto* reply = reinterpret_cast<unsigned char*>(report.data()) + replyOffset;
        reply[0] = types[in.byte() % sizeof(types)];
        if (reply[0] == ReplyType::handshakeAccepted) {
            const int length = minHandshakeReplyLength + in.byte() % (int(replySize) - 3);
            const std::size_t covered = std::size_t(length) - crcSize;
            reply[replyLengthOffset] = static_cast<unsigned char>(length);
            const std::uint16_t crc = crc16Modbus(reply, covered);
            reply[covered] = static_cast<unsigned char>(crc & 0xFF);
            reply[covered + 1] = static_cast<unsigned char>(crc >> 8);
        } else if (reply[0] == ReplyType::blockAcknowledged) {
            reply[ackIndexOffset] = in.byte();
            reply[ackIndexOffset + 1] = in.byte() % 2;
        }
        return report;
    }

    void checkPacket(const Upgrade::Packet& p) {
        using namespace Upgrade;
        const int number = p[numberOffset] | (p[numberOffset + 1] << 8);
        std::size_t end = 0;
        lastBlockSent = p[typeOffset] == blockType ? number : -1;
        if (p[typeOffset] == handshakeType) {
            end = headerSize;
            if (p[lengthOffset] != handshakeLength || number != blockCount(image.size()))
                fail(QStringLiteral("handshake with length %1, count %2")
                         .arg(p[lengthOffset])
                         .arg(number));
        } else if (p[typeOffset] == blockType) {
            const int offset = number * blockDataSize;
            const int count = std::clamp(image.size() - offset, 0, blockDataSize);
            end = headerSize + std::size_t(count);
            if (number >= blockCount(image.size()) || count == 0 ||
                p[lengthOffset] != count + int(headerSize + crcSize) ||
                std::memcmp(p.data() + headerSize, image.constData() + offset, count) != 0)
                fail(QStringLiteral("block %1 not a slice of the image").arg(number));
        } else {
            fail(QStringLiteral("packet of type %1").arg(p[typeOffset]));
            return;
        }
        const unsigned stored = p[end] | (p[end + 1] << 8);
        if (stored != crc16Modbus(p.data(), end))
            fail(QStringLiteral("packet CRC does not hold"));
        if (std::any_of(p.begin() + long(end + crcSize), p.end(), [](auto b) { return b != 0; }))
            fail(QStringLiteral("bytes after the CRC are not zero"));
        if (finishedSinceStart)
            fail(QStringLiteral("packet sent after the upgrade ended"));
    }

    void checkProgress(const FirmwareUpgrade::Progress& p) {
        if (!(p.percent >= 0.0f && p.percent <= 100.0f) || p.value < 0 || p.value > 100 ||
            p.value > p.percent + 1.0f || p.value < p.percent - 1.0f)
            fail(QStringLiteral("progress %1 / %2").arg(p.percent).arg(p.value));
        if (p.value == 100)
            writtenSeen = true;
    }

    void checkFinished(FirmwareUpgrade::Outcome outcome) {
        if (finishedSinceStart)
            fail(QStringLiteral("one upgrade finished twice"));
        if (writtenSeen != (outcome == FirmwareUpgrade::Outcome::Written))
            fail(QStringLiteral("progress reached 100 without the image written, or not"));
        finishedSinceStart = true;
    }

    void checkState(const FirmwareUpgrade& engine) {
        const int block = engine.blockIndex();
        const int left = engine.bytesLeft();
        const int expectedLeft =
            block == 0 ? 0 : image.size() - std::min(image.size(), block * Upgrade::blockDataSize);
        if (block < 0 || block > Upgrade::blockCount(image.size()) || left != expectedLeft)
            fail(QStringLiteral("block %1 with %2 bytes left").arg(block).arg(left));
        if (block > 0 && lastBlockSent >= 0 && lastBlockSent != block - 1)
            fail(QStringLiteral("block %1 sent, next block %2").arg(lastBlockSent).arg(block));
        const int ticks = engine.timeoutTicks();
        if (ticks < 0 || ticks > FirmwareUpgrade::timeoutLimit ||
            (engine.upgrading() && ticks >= FirmwareUpgrade::timeoutLimit))
            fail(QStringLiteral("%1 time-out ticks").arg(ticks));
        if (engine.upgrading() == finishedSinceStart)
            fail(QStringLiteral("running is %1 though finished is %2")
                     .arg(engine.upgrading())
                     .arg(finishedSinceStart));
    }

    void fail(const QString& what) {
        if (violation.isEmpty())
            violation = what;
    }

    QByteArray image;
    qint64 seconds = 0;
    bool finishedSinceStart = false;
    bool writtenSeen = false;
    int lastBlockSent = -1; // -1 after a handshake packet
    QString violation;
};
