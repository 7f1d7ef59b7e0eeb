// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The host side of the firmware upgrade exchange, free of widgets and of the link: it is
// fed the meter's replies and 100 ms ticks, and answers with packets to send, log lines,
// progress and, once, how the upgrade ended. Runs on one thread.
//
// Expected order: handshake -> 0xBB -> block 0 -> 0xDD(0) -> block 1 -> ... -> 0xDD(N-1)
// -> 0xEE -> 0xFF. Every reply type is acted on whenever an upgrade runs; a lost or wrong
// acknowledgement is never answered by a resend, only the time-out ends such a stall.

#include "UpgradePackets.h"

#include <QByteArray>
#include <QString>

#include <functional>

class FirmwareUpgrade {
public:
    enum class Outcome {
        Written,     // 0xFF: the meter wrote the image
        MeterFailed, // 0x11
        TimedOut,    // timeoutLimit ticks without an accepted reply
        SendFailed,  // the link could not write a packet
    };

    struct Progress {
        float percent; // shown with one decimal
        int value;     // 0-100
    };

    struct Output {
        std::function<void(const Upgrade::Packet&)> send;
        std::function<void(const QString&)> log;
        std::function<void(const Progress&)> progress;
        // Called last, once per upgrade, with the state already idle.
        std::function<void(Outcome)> finished;
    };

    // Seconds since the epoch.
    using Clock = std::function<qint64()>;

    // 120 ticks of 100 ms: 12 s without an accepted reply end the upgrade.
    static constexpr int timeoutLimit = 120;

    explicit FirmwareUpgrade(Output output, Clock clock = systemClock);

    // Starts an upgrade of `image` and sends the handshake; an upgrade still running is
    // abandoned. An empty image or one above 2 MiB starts nothing.
    void start(const QByteArray& image);
    // One 64-byte input report from the link; ignored unless an upgrade runs.
    void handleReport(const QByteArray& report);
    // One 100 ms tick.
    void tick();
    // The link failed to write a packet; ends a running upgrade.
    void sendFailed();

    bool upgrading() const { return running; }
    int timeoutTicks() const { return ticks; }
    int blockIndex() const { return nextBlock; }
    int bytesLeft() const { return unsent; }
    qint64 transferStart() const { return startSeconds; }

    static qint64 systemClock();

private:
    void handshakeAccepted();
    void blockAcknowledged(int index);
    void allReceived();
    void written();
    void sendNextBlock();
    void reportProgress();
    void finish(Outcome outcome);

    Output out;
    Clock clock;
    QByteArray image; // the image being sent, kept whole even if the page loads another
    bool running = false;
    int ticks = 0;
    int nextBlock = 0;
    int unsent = 0;
    qint64 startSeconds = 0;
};
