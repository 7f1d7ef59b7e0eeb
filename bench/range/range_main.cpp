// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring a stretch at a week of records: the figures of the whole week and of random
// stretches, one step of the band following a drag with the figures redrawn, and the
// memory the running sums add per record.
#include "BenchSize.h"
#include "ChartPanel.h"
#include "ChartScene.h"
#include "ChartView.h"
#include "LinkBenchSetup.h"
#include "MinMaxPyramid.h"
#include "Percentile.h"
#include "RangeMeasure.h"
#include "RangeStatistics.h"
#include "RangeSummaryPanel.h"
#include "RunningSums.h"
#include "ThreadCpuClock.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtCharts/QChart>

#include <cstdio>
#include <functional>

namespace {

constexpr int week = 7 * 24 * 3600;
constexpr int repeats = 25;
constexpr double figuresTargetMs = 2.0;
constexpr double stepTargetMs = 16.0;
constexpr double bytesPerRecordTarget = 20.0;
constexpr qint64 msPerSecond = 1000;

// Median CPU time of the GUI thread over a few runs of one step, so other processes on a
// shared machine do not count.
void measure(const char* what, double targetMs, const std::function<void(int)>& step) {
    std::vector<double> cpu;
    for (int i = 0; i < repeats; ++i) {
        const double before = threadCpuMs();
        step(i);
        cpu.push_back(threadCpuMs() - before);
    }
    std::printf("  %-52s CPU %7.3f ms (max %7.3f)   target < %.0f ms\n", what, percentile(cpu, 0.5),
                percentile(cpu, 1.0), targetMs);
}

void figures(ChartScene& scene) {
    const SampleStore& store = scene.store();
    MinMaxPyramid pyramid;
    RunningSums sums;
    pyramid.sync(store);
    sums.sync(store);
    const qint64 first = store.timeAt(0) * msPerSecond;
    const qint64 last = store.timeAt(store.size() - 1) * msPerSecond;
    double sink = 0;
    measure("figures of the whole week", figuresTargetMs, [&](int) {
        sink += *RangeStatistics::measure(store, pyramid, sums, first, last).milliampHours;
    });
    QRandomGenerator random(1);
    measure("figures of a random stretch (ends between samples)", figuresTargetMs, [&](int) {
        const qint64 a = first + qint64(random.bounded(double(last - first)));
        const qint64 b = first + qint64(random.bounded(double(last - first)));
        sink += RangeStatistics::measure(store, pyramid, sums, a, b).coveredSecs;
    });
    std::printf("  %-52s %7.2f bytes   target < %.0f bytes\n",
                "running sums per record (capacity included)",
                double(sums.memoryBytes()) / store.size(), bytesPerRecordTarget);
    if (sink < 0)
        std::printf("(never)\n");
}

void bandFollowingADrag(ChartScene& scene) {
    scene.panel().showWholeRecording();
    RangeMeasure measureTool(&scene.panel());
    scene.paint();
    QWidget* viewport = scene.panel().chartView()->viewport();
    const QRectF plot = scene.panel().chartObject()->plotArea();
    const double y = plot.center().y();
    const auto send = [viewport, y](QEvent::Type type, double x, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(x, y), Qt::LeftButton, held, Qt::ShiftModifier);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonPress, plot.left() + 10, Qt::LeftButton);
    measure("1 week, band following one drag step (20 px)", stepTargetMs, [&](int i) {
        send(QEvent::MouseMove, plot.left() + 30 + 20 * i, Qt::LeftButton);
        scene.paint();
    });
    send(QEvent::MouseButtonRelease, plot.left() + 30 + 20 * repeats, Qt::NoButton);
    if (!measureTool.summary()->isVisible())
        std::printf("  (the figures were not shown)\n");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir workDir; // the chart keeps usb-hid.ini in the working directory
    if (!LinkBenchSetup::enterWorkDir(workDir, "bench_range"))
        return 1;
    std::printf("range figures (a week, one sample a second, offscreen)\n");
    ChartScene scene;
    scene.fillRecording(benchSize(week, 3600));
    figures(scene);
    bandFollowingADrag(scene);
    return 0;
}
