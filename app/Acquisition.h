// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"
#include "SampleStore.h"

#include <QDateTime>
#include <QObject>

class ChartPanel;

// Whether samples are recorded, and the record itself. A meter lost in the middle of a
// run pauses the run; the same run resumes when the meter comes back, so a cable glitch
// never throws away hours of unexported samples. Only readings the meter sent are
// recorded: until a measurement has arrived since the meter was opened, a tick records
// nothing rather than the zeros of a reading not yet received.
class Acquisition : public QObject {
    Q_OBJECT
public:
    // The chart, if any, draws from this object's record.
    explicit Acquisition(ChartPanel* chart, QObject* parent = nullptr);

    // Paused: a run the meter's unplug interrupted, resumed when a meter comes.
    enum class RunState { Stopped, Running, Paused };

    bool isRunning() const { return running; }
    RunState runState() const;
    const SampleStore& log() const { return sampleLog; }

    // Run/Stop pressed: a start always begins a fresh run.
    void toggleByUser();
    // A meter was opened: resume an interrupted run, or start a fresh one if stopped.
    void meterConnected();
    // The meter went away: stop recording, remembering to resume.
    void meterLost();
    // A measurement report was decoded into the current reading.
    void readingArrived() { haveReading = true; }
    // The current reading no longer describes the meter (it went into its boot loader):
    // nothing is recorded until a measurement arrives again.
    void readingOutdated() { haveReading = false; }
    // One second of acquisition: a point per curve and a record in the log.
    void recordSample(const QDateTime& now, const MeterReading& reading);
    // A recording made earlier (a file, a recovered journal) replaces the log and is drawn
    // whole. Any run ends; acquisition stays stopped, even when a meter comes, until Run
    // starts a fresh run.
    void openRecording(SampleStore&& recording);

signals:
    void runningChanged(bool running);
    void runStateChanged(Acquisition::RunState state);
    // A fresh run begins (the log was emptied), at startSecs since the epoch.
    void runStarted(qint64 startSecs);
    void sampleRecorded(qint64 epochSecs, const SampleStore::Values& values);
    // The run was stopped on purpose; a lost meter only pauses it.
    void runEnded();

private:
    void startFresh();
    void setRunning(bool on);
    void announceState();

    ChartPanel* chart;
    SampleStore sampleLog;
    bool running = false;
    bool interrupted = false;
    bool haveReading = false;
    bool showingFile = false;
    RunState announced = RunState::Stopped;
};
