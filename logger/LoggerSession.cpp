// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoggerSession.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {
constexpr qint64 msPerSec = 1000;

// A QTimer takes an int of milliseconds, 24 days at most: longer waits go in steps.
// False once the deadline has passed.
bool rearm(QTimer& timer, const QDeadlineTimer& deadline) {
    const qint64 left = deadline.remainingTime();
    if (left <= 0)
        return false;
    timer.start(static_cast<int>(std::min<qint64>(left, std::numeric_limits<int>::max())));
    return true;
}

// How long the last poll's answer is waited for when the run ends: an answer comes
// within milliseconds, a meter that stays silent must not hold the exit up.
constexpr int lastAnswerWaitMs = 500;
} // namespace

LoggerSession::LoggerSession(const LogOptions& options, const OutputPlan& plan, int pollIntervalMs)
    : options(options), recorder(options, plan, events), watch(options, events, pollIntervalMs) {
    connect(&events, &MeterEvents::meterConnected, this, &LoggerSession::onFirstMeter);
    connect(&recorder, &Recorder::writeFailed, this, &LoggerSession::onWriteFailed);
    connect(&stops, &StopSignals::stopRequested, this, &LoggerSession::finish);
    waitTimer.setSingleShot(true);
    connect(&waitTimer, &QTimer::timeout, this, [this] {
        if (!rearm(waitTimer, waitDeadline))
            onWaitOver();
    });
    durationTimer.setSingleShot(true);
    connect(&durationTimer, &QTimer::timeout, this, [this] {
        if (!rearm(durationTimer, durationDeadline))
            finish();
    });
    answerDeadline.setSingleShot(true);
    answerDeadline.setInterval(lastAnswerWaitMs);
    connect(&answerDeadline, &QTimer::timeout, this, &LoggerSession::closeAll);
}

int LoggerSession::run() {
    if (options.waitSecs >= 0) {
        waitDeadline.setRemainingTime(options.waitSecs * msPerSec);
        waitTimer.start(0);
    }
    watch.start();
    QCoreApplication::exec();
    return exitCode;
}

// --duration counts from the first meter: a run started before the meter is plugged in
// still records as long as asked.
void LoggerSession::onFirstMeter() {
    if (meterSeen)
        return;
    meterSeen = true;
    waitTimer.stop();
    if (options.durationSecs > 0) {
        durationDeadline.setRemainingTime(options.durationSecs * msPerSec);
        rearm(durationTimer, durationDeadline);
    }
}

void LoggerSession::onWaitOver() {
    if (meterSeen)
        return;
    std::fprintf(stderr, "usb-meter-log: no meter found within %lld s\n",
                 static_cast<long long>(options.waitSecs));
    exitCode = exitNoMeter;
    finish();
}

void LoggerSession::onWriteFailed(const QString& message) {
    std::fprintf(stderr, "usb-meter-log: cannot write %s\n", qPrintable(message));
    exitCode = exitWriteFailed;
    finish();
}

// Called from inside a meter's signals too (a failed write): the links are closed from
// the event loop, never under the feet of the link that is speaking.
void LoggerSession::finish() {
    if (finishing)
        return;
    finishing = true;
    watch.stopPolling();
    answerDeadline.start();
    connect(&events, &MeterEvents::sampleDecoded, this,
            [this] { QTimer::singleShot(0, this, &LoggerSession::closeWhenAnswered); });
    QTimer::singleShot(0, this, &LoggerSession::closeWhenAnswered);
}

void LoggerSession::closeWhenAnswered() {
    if (!watch.awaitsAnswers())
        closeAll();
}

void LoggerSession::closeAll() {
    if (closed)
        return;
    closed = true;
    answerDeadline.stop();
    watch.shutDown();
    recorder.finish();
    QCoreApplication::exit(exitCode);
}
