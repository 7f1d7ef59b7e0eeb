// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CurveStyles.h"
#include "CustomRanges.h"
#include "SampleStore.h"

#include <QWidget>

#include <memory>

class ChartPanel;

// A chart panel alone in a window of the program's chart size, drawing from its own
// store, for the benchmark and the screenshots. Records are generated, not waited for.
class ChartScene {
public:
    static constexpr int width = 1200;
    static constexpr int height = 700;
    static constexpr qint64 startSecs = 1709618400; // 2024-03-05 06:00 UTC

    ChartScene();
    ~ChartScene();

    ChartPanel& panel() { return *chart; }
    SampleStore& store() { return records; }
    QWidget& window() { return frame; }

    // Appends one record of the demo's charging story, `second` seconds into the run.
    void appendDemoSecond(int second);
    // Fills the store with `seconds` records of the charging story looped, one a second.
    void fillRecording(int seconds);
    // One second of acquisition: a record, then the chart's update.
    void tick();
    // Lets the view lay out and paint, as a shown window would: the scene's changes reach
    // the window as one update request.
    void paint();
    // Paints of the chart's viewport so far.
    int paintCount() const;

private:
    QWidget frame;
    CustomRanges ranges;
    CurveStyles styles;
    SampleStore records;
    std::unique_ptr<ChartPanel> chart;
    std::unique_ptr<QObject> paintCounter;
};
