#include "Acquisition.h"

#include "ChartPanel.h"

Acquisition::Acquisition(ChartPanel* chart, QObject* parent) : QObject(parent), chart(chart) {
    if (chart)
        chart->setRecording(&sampleLog);
}

void Acquisition::toggleByUser() {
    interrupted = false;
    showingFile = false;
    if (running) {
        setRunning(false);
        return;
    }
    startFresh();
    setRunning(true);
}

void Acquisition::meterConnected() {
    haveReading = false;
    if (running || showingFile)
        return;
    if (!interrupted)
        startFresh();
    interrupted = false;
    setRunning(true);
}

void Acquisition::meterLost() {
    haveReading = false;
    if (!running)
        return;
    interrupted = true;
    setRunning(false);
}

void Acquisition::recordSample(const QDateTime& now, const MeterReading& reading) {
    if (!running || !haveReading)
        return;
    sampleLog.append(now.toSecsSinceEpoch(), reading.recordedChannels());
    if (chart)
        chart->sampleRecorded();
}

void Acquisition::openRecording(SampleStore&& recording) {
    sampleLog = std::move(recording);
    interrupted = false;
    showingFile = true;
    if (running)
        setRunning(false);
    if (chart)
        chart->showWholeRecording();
}

void Acquisition::startFresh() {
    sampleLog.clear();
    if (chart)
        chart->startRun(QDateTime::currentDateTime());
}

void Acquisition::setRunning(bool on) {
    running = on;
    emit runningChanged(on);
}
