// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's cost at long recordings: one second's update in every view, one zoom and
// one pan step at a week, and the process's memory; the first chart's naive cost beside.
// Arguments pick parts: updates, gestures, naive (all by default).
#include "BenchSize.h"
#include "ChartPanel.h"
#include "ChartScene.h"
#include "ChartView.h"
#include "NaiveChart.h"
#include "Percentile.h"
#include "ThreadCpuClock.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <cstdio>
#include <functional>

namespace {

const int hour = benchSize(3600, 60);
const int day = 24 * hour;
const int week = 7 * day;
constexpr int repeats = 15;
constexpr double frameTargetMs = 16.0;
constexpr double memoryTargetMb = 150.0;

// Median CPU time of a few runs of one step (the GUI thread's own, so other processes on
// a shared machine do not count), and the median wall-clock time beside it.
void measure(const char* what, const std::function<void()>& step) {
    std::vector<double> cpu;
    std::vector<double> wall;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double before = threadCpuMs();
        step();
        cpu.push_back(threadCpuMs() - before);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("  %-50s CPU %7.2f ms  (wall %7.2f ms)   target < %.0f ms\n", what,
                percentile(cpu, 0.5), percentile(wall, 0.5), frameTargetMs);
}

double residentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void updates(const char* label, int seconds) {
    ChartScene scene;
    scene.fillRecording(seconds);
    scene.panel().startRun(QDateTime::fromSecsSinceEpoch(ChartScene::startSecs));
    scene.panel().sampleRecorded();
    const std::pair<const char*, CurveView> views[] = {{"main", CurveView::Main},
                                                       {"D+/D-", CurveView::DpDm},
                                                       {"CC1/CC2", CurveView::Cc},
                                                       {"CPU temperature", CurveView::Temperature}};
    for (const auto& [name, view] : views) {
        if (scene.panel().currentView() != view)
            scene.panel().toggleView(view);
        scene.paint();
        const QByteArray what = QByteArray(label) + ", one second's update, " + name + " view";
        const int paintsBefore = scene.paintCount();
        measure(what.constData(), [&scene] {
            scene.tick();
            scene.paint();
        });
        if (scene.paintCount() - paintsBefore < repeats)
            std::printf("  (the chart was not repainted on every update)\n");
    }
}

void gesturesAtAWeek() {
    ChartScene scene;
    scene.fillRecording(week);
    scene.panel().showWholeRecording();
    scene.paint();
    QWidget* viewport = scene.panel().view()->viewport();
    const QPointF middle(viewport->width() / 2.0, viewport->height() / 2.0);
    bool in = true;
    measure("1 week, one zoom step (wheel)", [&] {
        QWheelEvent wheel(middle, QPointF(viewport->mapToGlobal(middle.toPoint())), QPoint(),
                          QPoint(0, in ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        in = !in;
        scene.paint();
    });
    QMouseEvent press(QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    double x = middle.x();
    measure("1 week, one pan step (drag of 20 px)", [&] {
        x += 20;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, middle.y()), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        scene.paint();
    });
    std::printf("  %-44s %8.1f MB   (target < %.0f MB for the program)\n",
                "process memory holding a week, chart shown", residentMb(), memoryTargetMb);
}

void naive(int points) {
    NaiveChart chart(points);
    const QByteArray what =
        "naive: " + QByteArray::number(points) + " points x 8 splines, one second";
    measure(what.constData(), [&chart] { chart.tick(); });
}

} // namespace

int main(int argc, char** argv) {
    // Measured offscreen, as the figures say, whatever display the shell has.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The chart reads and writes usb-hid.ini in the working directory: keep it apart.
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    std::printf("chart (offscreen %d x %d, one sample a second, every sample kept)\n",
                ChartScene::width, ChartScene::height);
    const QStringList parts = app.arguments().mid(1);
    const auto wanted = [&parts](const char* part) {
        return parts.isEmpty() || parts.contains(QLatin1String(part));
    };
    if (wanted("updates")) {
        updates("1 hour", hour);
        updates("1 day", day);
        updates("1 week", week);
    }
    if (wanted("gestures"))
        gesturesAtAWeek();
    if (wanted("naive")) {
        naive(benchSize(1000, 10));
        naive(benchSize(10000, 100));
    }
    return 0;
}
