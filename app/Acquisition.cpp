#include "Acquisition.h"

#include "ChartPanel.h"

Acquisition::Acquisition(ChartPanel* chart, QObject* parent) : QObject(parent), chart(chart) {}

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
    if (running || showingFile)
        return;
    if (!interrupted)
        startFresh();
    interrupted = false;
    setRunning(true);
}

void Acquisition::meterLost() {
    if (!running)
        return;
    interrupted = true;
    setRunning(false);
}

void Acquisition::recordSample(const QDateTime& now, const MeterReading& reading) {
    if (!running)
        return;
    const auto values = reading.recordedChannels();
    if (chart)
        chart->appendSample(now, values);
    sampleLog.append(now.toSecsSinceEpoch(), values);
}

void Acquisition::openRecording(SampleStore&& recording) {
    sampleLog = std::move(recording);
    interrupted = false;
    showingFile = true;
    if (running)
        setRunning(false);
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
