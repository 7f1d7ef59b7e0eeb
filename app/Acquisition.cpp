#include "Acquisition.h"

#include "ChartPanel.h"

namespace {

constexpr int maxShownPoints = 1000;

} // namespace

Acquisition::Acquisition(ChartPanel* chart, QObject* parent) : QObject(parent), chart(chart) {}

void Acquisition::toggleByUser() {
    interrupted = false;
    if (running) {
        setRunning(false);
        emit runEnded();
        return;
    }
    startFresh();
    setRunning(true);
}

void Acquisition::meterConnected() {
    if (running)
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
    emit sampleRecorded(now.toSecsSinceEpoch(), values);
}

void Acquisition::showRecording(SampleStore&& recording) {
    interrupted = false;
    if (running) {
        setRunning(false);
        emit runEnded();
    }
    sampleLog = std::move(recording);
    if (!chart || sampleLog.isEmpty())
        return;
    chart->startRun(QDateTime::fromSecsSinceEpoch(sampleLog.timeAt(0)));
    const auto draw = [this](int i) {
        chart->appendSample(QDateTime::fromSecsSinceEpoch(sampleLog.timeAt(i)),
                            sampleLog.record(i));
    };
    // Each point costs this chart a redraw of its curves, so a run of days is drawn thinned
    // to about maxShownPoints, ending on its last sample; the log keeps every sample.
    const int last = sampleLog.size() - 1;
    const int step = last / maxShownPoints + 1;
    for (int i = 0; i < last; i += step)
        draw(i);
    draw(last);
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
}
