#include "LoggerSession.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
constexpr qint64 msPerSec = 1000;
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
    connect(&waitTimer, &QTimer::timeout, this, &LoggerSession::onWaitOver);
    durationTimer.setSingleShot(true);
    connect(&durationTimer, &QTimer::timeout, this, &LoggerSession::finish);
    answerDeadline.setSingleShot(true);
    answerDeadline.setInterval(lastAnswerWaitMs);
    connect(&answerDeadline, &QTimer::timeout, this, &LoggerSession::closeAll);
}

int LoggerSession::run() {
    if (options.waitSecs >= 0) {
        waitTimer.setInterval(static_cast<int>(options.waitSecs * msPerSec));
        waitTimer.start();
    }
    watch.start();
    if (!closed)
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
        durationTimer.setInterval(static_cast<int>(
            std::min<qint64>(options.durationSecs * msPerSec, std::numeric_limits<int>::max())));
        durationTimer.start();
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

void LoggerSession::finish() {
    if (finishing)
        return;
    finishing = true;
    watch.stopPolling();
    if (!watch.awaitsAnswers()) {
        closeAll();
        return;
    }
    connect(&events, &MeterEvents::sampleDecoded, this, [this] {
        if (!watch.awaitsAnswers())
            closeAll();
    });
    answerDeadline.start();
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
