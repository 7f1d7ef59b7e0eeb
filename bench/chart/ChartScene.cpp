#include "ChartScene.h"

#include "ChargingStory.h"
#include "ChartPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QtCharts/QChartView>

namespace {
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
    frame.resize(width, height);
    frame.show();
    paint();
}

ChartScene::~ChartScene() {
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
    chart->view()->viewport()->repaint();
}
