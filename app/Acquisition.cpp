// SPDX-License-Identifier: GPL-3.0-or-later
#include "Acquisition.h"

#include "ChartPanel.h"

Acquisition::Acquisition(ChartPanel* chart, QObject* parent) : QObject(parent), chart(chart) {
    if (chart)
        chart->setRecording(&sampleLog);
}

Acquisition::RunState Acquisition::runState() const {
    if (running)
        return RunState::Running;
    return interrupted ? RunState::Paused : RunState::Stopped;
}

void Acquisition::toggleByUser() {
    interrupted = false;
    showingFile = false;
    if (running) {
        setRunning(false);
        emit runEnded();
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
    const auto values = reading.recordedChannels();
    sampleLog.append(now.toSecsSinceEpoch(), values);
    if (chart)
        chart->sampleRecorded();
    emit sampleRecorded(now.toSecsSinceEpoch(), values);
}

void Acquisition::openRecording(SampleStore&& recording) {
    interrupted = false;
    showingFile = true;
    if (running) {
        setRunning(false);
        emit runEnded();
    }
    sampleLog = std::move(recording);
    if (chart)
        chart->showWholeRecording();
    announceState();
}

void Acquisition::startFresh() {
    sampleLog.clear();
    const QDateTime now = QDateTime::currentDateTime();
    if (chart)
        chart->startRun(now);
    emit runStarted(now.toSecsSinceEpoch());
}

void Acquisition::setRunning(bool on) {
    running = on;
    emit runningChanged(on);
    announceState();
}

void Acquisition::announceState() {
    if (runState() == announced)
        return;
    announced = runState();
    emit runStateChanged(announced);
}
