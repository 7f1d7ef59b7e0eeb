// SPDX-License-Identifier: GPL-3.0-or-later
// Screenshots of the chart: each view after a minute of the demo's charging story, and a
// week-long recording zoomed out and in. Usage: bench_chart_shots <directory>
#include "ChartPanel.h"
#include "ChartScene.h"
#include "CurveStyles.h"
#include "Startup.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QtCharts/QChartView>

#include <cstdio>

namespace {

constexpr int minute = 60;
constexpr int week = 7 * 86400;

void save(ChartScene& scene, const QDir& dir, const char* name) {
    scene.paint();
    const QString path = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    scene.window().grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

void zoomTo(ChartPanel& panel, qint64 fromSecs, qint64 toSecs) {
    auto* axis = panel.view()->chart()->axes(Qt::Horizontal).first();
    axis->setRange(QDateTime::fromSecsSinceEpoch(fromSecs), QDateTime::fromSecsSinceEpoch(toSecs));
}

// A user's colours, so the curves can be told apart (a fresh settings file has all black).
void chooseColours() {
    const QColor colours[] = {QColor(0, 160, 0),   QColor(0, 120, 230), QColor(230, 120, 0),
                              QColor(200, 0, 200), QColor(0, 170, 170), QColor(220, 40, 40),
                              QColor(90, 90, 220), QColor(200, 60, 0)};
    CurveStyles styles;
    for (int k = 0; k < recordedChannelCount; ++k) {
        styles.setColour(k, colours[k]);
        styles.setWidthCode(k, 2);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Startup::applyAppearance(app);
    const QDir dir(
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath()).absolutePath());
    // The chart reads and writes usb-hid.ini in the working directory: keep it apart.
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    chooseColours();
    {
        ChartScene scene;
        scene.panel().startRun(QDateTime::fromSecsSinceEpoch(ChartScene::startSecs));
        for (int s = 0; s < minute; ++s)
            scene.tick();
        save(scene, dir, "view-main");
        scene.panel().toggleView(CurveView::DpDm);
        save(scene, dir, "view-dp-dm");
        scene.panel().toggleView(CurveView::Cc);
        save(scene, dir, "view-cc");
        scene.panel().toggleView(CurveView::Temperature);
        scene.tick();
        save(scene, dir, "view-temperature");
    }
    ChartScene scene;
    scene.fillRecording(week);
    scene.panel().showWholeRecording();
    save(scene, dir, "week-whole");
    zoomTo(scene.panel(), ChartScene::startSecs + 2 * 86400,
           ChartScene::startSecs + 2 * 86400 + 7200);
    save(scene, dir, "week-two-hours");
    zoomTo(scene.panel(), ChartScene::startSecs + 600, ChartScene::startSecs + 660);
    save(scene, dir, "week-one-minute");
    return 0;
}
