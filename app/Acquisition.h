#pragma once

#include "MeterReading.h"
#include "SampleStore.h"

#include <QDateTime>
#include <QObject>

class ChartPanel;

// Whether samples are recorded, and the record itself. A meter lost in the middle of a
// run pauses the run; the same run resumes when the meter comes back, so a cable glitch
// never throws away hours of unexported samples.
class Acquisition : public QObject {
    Q_OBJECT
public:
    explicit Acquisition(ChartPanel* chart, QObject* parent = nullptr);

    bool isRunning() const { return running; }
    const SampleStore& log() const { return sampleLog; }

    // Run/Stop pressed: a start always begins a fresh run.
    void toggleByUser();
    // A meter was opened: resume an interrupted run, or start a fresh one if stopped.
    void meterConnected();
    // The meter went away: stop recording, remembering to resume.
    void meterLost();
    // One second of acquisition: a point per curve and a record in the log.
    void recordSample(const QDateTime& now, const MeterReading& reading);
    // Ends any run and shows a recording made earlier (a recovered journal), stopped, as
    // the log and the chart, ready for export.
    void showRecording(SampleStore&& recording);

signals:
    void runningChanged(bool running);
    // A fresh run begins (the log was emptied), at startSecs since the epoch.
    void runStarted(qint64 startSecs);
    void sampleRecorded(qint64 epochSecs, const SampleStore::Values& values);
    // The run was stopped on purpose; a lost meter only pauses it.
    void runEnded();

private:
    void startFresh();
    void setRunning(bool on);

    ChartPanel* chart;
    SampleStore sampleLog;
    bool running = false;
    bool interrupted = false;
};
