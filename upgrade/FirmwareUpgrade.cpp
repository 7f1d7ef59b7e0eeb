// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirmwareUpgrade.h"

#include "UpgradeReply.h"
#include "UpgradeTexts.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>

namespace {

constexpr float fullPercent = 100.0f;
constexpr int fullValue = 100;
// The bar stops short of full until the meter reports the image written.
constexpr int lastStepValue = 99;
constexpr float lastStepPercent = 99.9f;

// The upgrade page's texts belong to the main dialog's translation context.
QString trMain(const char* sourceText) {
    return QCoreApplication::translate("MainDialog", sourceText);
}

} // namespace

FirmwareUpgrade::FirmwareUpgrade(Output output, Clock clock)
    : out(std::move(output)), clock(std::move(clock)) {}

qint64 FirmwareUpgrade::systemClock() {
    return QDateTime::currentSecsSinceEpoch();
}

// The block position starts afresh: an acknowledgement arriving before the handshake
// reply must not send a block at an earlier upgrade's position. An image the block count
// cannot describe is not started.
void FirmwareUpgrade::start(const QByteArray& newImage) {
    if (newImage.isEmpty() || newImage.size() > Upgrade::maxImageSize)
        return;
    image = newImage;
    running = true;
    ticks = 0;
    nextBlock = 0;
    unsent = 0;
    startSeconds = clock();
    out.send(Upgrade::handshakePacket(image.size()));
}

void FirmwareUpgrade::handleReport(const QByteArray& report) {
    if (!running)
        return;
    const Upgrade::Reply reply = Upgrade::parseReply(report);
    switch (reply.kind) {
    case Upgrade::Reply::HandshakeAccepted:
        handshakeAccepted();
        break;
    case Upgrade::Reply::BlockAcknowledged:
        blockAcknowledged(reply.acknowledgedIndex);
        break;
    case Upgrade::Reply::AllReceived:
        allReceived();
        break;
    case Upgrade::Reply::Written:
        written();
        break;
    case Upgrade::Reply::Failed:
        ticks = 0;
        finish(Outcome::MeterFailed);
        break;
    case Upgrade::Reply::Ignored:
        break;
    }
}

void FirmwareUpgrade::tick() {
    if (!running)
        return;
    if (++ticks < timeoutLimit)
        return;
    finish(Outcome::TimedOut);
}

void FirmwareUpgrade::sendFailed() {
    if (running)
        finish(Outcome::SendFailed);
}

// Also a second 0xBB during the transfer: it starts again from block 0.
void FirmwareUpgrade::handshakeAccepted() {
    ticks = 0;
    nextBlock = 0;
    startSeconds = clock();
    unsent = image.size();
    out.log(trMain("握手成功..."));
    out.log(trMain("开始传输固件..."));
    sendNextBlock();
}

void FirmwareUpgrade::blockAcknowledged(int index) {
    ticks = 0;
    if (index == nextBlock - 1 && unsent > 0)
        sendNextBlock();
}

// The meter still has to write the image: the upgrade goes on, under the same time-out.
void FirmwareUpgrade::allReceived() {
    ticks = 0;
    out.log(trMain("传输完成..."));
    const qint64 seconds = clock() - startSeconds;
    out.log(trMain("传输耗时") + QString::number(seconds) + QStringLiteral("秒"));
    out.log(transferSpeedText(image.size(), seconds));
    out.log(trMain("请等待设备烧写完成..."));
}

void FirmwareUpgrade::written() {
    ticks = 0;
    running = false;
    out.log(trMain("下载烧写过程耗时") + QString::number(clock() - startSeconds) +
            QStringLiteral("秒"));
    out.progress({fullPercent, fullValue});
    out.log(trMain("烧写完成..."));
    out.log(trMain("本次下载结束"));
    out.finished(Outcome::Written);
}

void FirmwareUpgrade::sendNextBlock() {
    const int count = std::min(unsent, Upgrade::blockDataSize);
    const Upgrade::Packet packet = Upgrade::blockPacket(image, nextBlock);
    unsent -= count;
    ++nextBlock;
    out.send(packet);
    reportProgress();
}

// Measured in bytes sent, so a short last block still ends at 100 before the cap.
void FirmwareUpgrade::reportProgress() {
    const auto sent = static_cast<float>(image.size() - unsent);
    const float percent = sent / static_cast<float>(image.size()) * fullPercent;
    const int value = static_cast<int>(percent);
    if (value > lastStepValue)
        out.progress({lastStepPercent, lastStepValue});
    else
        out.progress({percent, value});
}

void FirmwareUpgrade::finish(Outcome outcome) {
    running = false;
    out.finished(outcome);
}
