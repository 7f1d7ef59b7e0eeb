// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TimeWindow.h"

#include <QPointF>
#include <QVector>

#include <vector>

class MinMaxPyramid;
class SampleStore;

// The visible stretch of a chart: a time range drawn over a plot widthPx pixels wide.
struct PlotWindow {
    TimeRange range;
    int widthPx = 0;
};

// Polylines, one per stretch of the recording without a gap.
using CurveSegments = QVector<QVector<QPointF>>;

// Turns the records of a plot window into the few points the screen can show, whatever
// the length of the recording. Few records are drawn exactly as they are (smoothed by a
// monotone curve while they lie far apart); many are reduced to the minimum and maximum
// of each column of two pixels, read from the pyramid, so no peak is lost. A pause of more
// than a few seconds between two records breaks the curve. The record just outside each
// edge is included so curves reach the edges of the plot. x is in ms since the epoch.
class CurveReduction {
public:
    static constexpr int pixelsPerColumn = 2;
    static constexpr qint64 gapSeconds = 5;
    // Records at least this many pixels apart are drawn smooth, a point every smoothStepPx.
    static constexpr int smoothSpacingPx = 6;
    static constexpr int smoothStepPx = 3;

    CurveReduction(const SampleStore& store, const MinMaxPyramid& pyramid,
                   const PlotWindow& window);

    CurveSegments curve(int channel) const;
    bool reducesToColumns() const { return !columnStarts.empty(); }

private:
    class SegmentBuilder;

    CurveSegments exactCurve(int channel) const;
    CurveSegments columnCurve(int channel) const;
    void addRecord(SegmentBuilder& out, int channel, int record) const;
    double msPerPixel() const;

    const SampleStore& store;
    const MinMaxPyramid& pyramid;
    PlotWindow window;
    // Records inside the window: [firstInside, endInside).
    int firstInside = 0;
    int endInside = 0;
    // In column mode, the first record of each column, and the end of the last one.
    std::vector<int> columnStarts;
};
