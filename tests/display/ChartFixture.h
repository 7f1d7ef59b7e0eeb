// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartPanel.h"
#include "CurveStyles.h"
#include "CustomRanges.h"
#include "SampleStore.h"
#include "ScopedWorkDir.h"

#include <QApplication>
#include <QGridLayout>
#include <QWidget>
#include <QtCharts/QCategoryAxis>

#include <memory>

// A chart panel in a shown window of the program's chart size, drawing from its own
// store, with the clock driven by the test: each record() is one second of acquisition.
class ChartFixture {
public:
    static constexpr qint64 t0 = 1709647629; // 2024-03-05 14:07:09 UTC

    ChartFixture() {
        ranges.load();
        styles.load();
        auto* layout = new QGridLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        panel = std::make_unique<ChartPanel>(layout, &ranges, &styles);
        panel->setRecording(&store);
        window.resize(1200, 700);
        window.show();
        QApplication::processEvents();
    }

    void startRun() {
        store.clear();
        panel->startRun(QDateTime::fromSecsSinceEpoch(t0));
        now = t0;
    }
    // One second: a record of these values (every channel `fill` unless set), then the
    // chart's update.
    void record(std::initializer_list<std::pair<int, float>> set = {}, float fill = 1.0f) {
        SampleStore::Values values;
        values.fill(fill);
        for (const auto& [channel, v] : set)
            values[size_t(channel)] = v;
        store.append(now++, values);
        panel->sampleRecorded();
    }
    void recordSeconds(int n) {
        for (int i = 0; i < n; ++i)
            record();
    }
    QtCharts::QCategoryAxis* axis(int a) const { return panel->valueAxis(a); }

    ScopedWorkDir workDir;
    CustomRanges ranges;
    CurveStyles styles;
    SampleStore store;
    QWidget window;
    std::unique_ptr<ChartPanel> panel;
    qint64 now = t0;
};
