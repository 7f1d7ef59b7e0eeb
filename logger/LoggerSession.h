// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LogOptions.h"
#include "MeterEvents.h"
#include "MeterWatch.h"
#include "OutputPlan.h"
#include "Recorder.h"
#include "StopSignals.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

// One run of the recorder, from looking for meters to the summary. The exit codes:
// 0 done (stopped, or --duration over), 3 no meter within --wait, 4 a write failed.
class LoggerSession : public QObject {
    Q_OBJECT
public:
    static constexpr int exitDone = 0;
    static constexpr int exitNoMeter = 3;
    static constexpr int exitWriteFailed = 4;

    LoggerSession(const LogOptions& options, const OutputPlan& plan, int pollIntervalMs);

    // Runs the event loop until the run ends; returns the exit code.
    int run();
    // Where each meter's samples, connections and disconnections are announced.
    MeterEvents& meterEvents() { return events; }

private:
    void onFirstMeter();
    void onWaitOver();
    void onWriteFailed(const QString& message);
    // Stops polling, lets the answers already asked for arrive, then closes.
    void finish();
    void closeWhenAnswered();
    void closeAll();

    const LogOptions options;
    MeterEvents events;
    Recorder recorder;
    MeterWatch watch;
    StopSignals stops;
    QTimer waitTimer;
    QDeadlineTimer waitDeadline;
    QTimer durationTimer;
    QDeadlineTimer durationDeadline;
    QTimer answerDeadline;
    bool meterSeen = false;
    bool finishing = false;
    bool closed = false;
    int exitCode = exitDone;
};
