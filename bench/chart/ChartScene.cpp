// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartScene.h"

#include "ChargingStory.h"
#include "ChartPanel.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QtCharts/QChartView>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The story settles after about an hour; a long recording replays it.
constexpr int storySeconds = 3600;
constexpr int msPerSecond = 1000;
} // namespace

ChartScene::ChartScene() {
    ranges.load();
    styles.load();
    auto* layout = new QGridLayout(&frame);
    layout->setContentsMargins(0, 0, 0, 0);
    chart = std::make_unique<ChartPanel>(layout, &ranges, &styles);
    chart->setRecording(&records);
    paintCounter = std::make_unique<PaintCounter>();
    chart->view()->viewport()->installEventFilter(paintCounter.get());
    frame.resize(width, height);
    frame.show();
    paint();
}

ChartScene::~ChartScene() {
    chart->view()->viewport()->removeEventFilter(paintCounter.get());
    chart.reset();
}

void ChartScene::appendDemoSecond(int second) {
    const sim::Measurement m = sim::chargingStoryAt(int64_t(second % storySeconds) * msPerSecond);
    SampleStore::Values values{};
    for (int k = 0; k < recordedChannelCount; ++k)
        values[size_t(k)] = float(m.channels[size_t(k)]);
    records.append(startSecs + second, values);
}

void ChartScene::fillRecording(int seconds) {
    records.clear();
    records.reserve(seconds);
    for (int s = 0; s < seconds; ++s)
        appendDemoSecond(s);
}

void ChartScene::tick() {
    appendDemoSecond(records.size());
    chart->sampleRecorded();
}

void ChartScene::paint() {
    QApplication::processEvents();
}

int ChartScene::paintCount() const {
    return static_cast<PaintCounter*>(paintCounter.get())->paints;
}
