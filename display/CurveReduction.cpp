// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveReduction.h"

#include "MinMaxPyramid.h"
#include "MonotoneCurve.h"
#include "SampleStore.h"

#include <algorithm>
#include <cmath>

using TimeWindow::msPerSecond;

namespace {

qint64 ceilSeconds(double ms) {
    return static_cast<qint64>(std::ceil(ms / msPerSecond));
}

bool isFinite(float v) {
    return std::isfinite(v);
}

} // namespace

// Collects points into segments, starting a new one where records lie too far apart.
class CurveReduction::SegmentBuilder {
public:
    // Points standing for the records from firstSecs to lastSecs.
    void add(std::initializer_list<QPointF> points, qint64 firstSecs, qint64 lastSecs) {
        if (segments.isEmpty() || firstSecs - previousSecs > gapSeconds)
            segments.append(QVector<QPointF>());
        for (const QPointF& p : points)
            segments.last().append(p);
        previousSecs = lastSecs;
    }
    double lastY() const { return segments.last().last().y(); }
    bool isEmpty() const { return segments.isEmpty(); }
    CurveSegments segments;

private:
    qint64 previousSecs = 0;
};

CurveReduction::CurveReduction(const SampleStore& store, const MinMaxPyramid& pyramid,
                               const PlotWindow& window)
    : store(store), pyramid(pyramid), window(window) {
    if (window.widthPx <= 0 || window.range.spanMs() <= 0)
        return;
    firstInside = store.lowerBound(ceilSeconds(window.range.minMs));
    endInside = std::max(firstInside, store.lowerBound(window.range.maxMs / msPerSecond + 1));
    const int columns = std::max(1, window.widthPx / pixelsPerColumn);
    if (endInside - firstInside <= columns)
        return;
    const double columnMs = static_cast<double>(window.range.spanMs()) / columns;
    columnStarts.resize(static_cast<size_t>(columns) + 1);
    int previous = firstInside;
    for (int c = 0; c < columns; ++c) {
        const double startMs = static_cast<double>(window.range.minMs) + c * columnMs;
        previous = std::max(previous, store.lowerBound(ceilSeconds(startMs)));
        columnStarts[static_cast<size_t>(c)] = previous;
    }
    columnStarts.back() = endInside;
}

CurveSegments CurveReduction::curve(int channel) const {
    if (window.widthPx <= 0 || window.range.spanMs() <= 0)
        return {};
    return reducesToColumns() ? columnCurve(channel) : exactCurve(channel);
}

double CurveReduction::msPerPixel() const {
    return static_cast<double>(window.range.spanMs()) / window.widthPx;
}

void CurveReduction::addRecord(SegmentBuilder& out, int channel, int record) const {
    if (record < 0 || record >= store.size())
        return;
    const float v = store.value(channel, record);
    if (!isFinite(v))
        return;
    const qint64 secs = store.timeAt(record);
    out.add({QPointF(static_cast<double>(secs * msPerSecond), v)}, secs, secs);
}

CurveSegments CurveReduction::exactCurve(int channel) const {
    SegmentBuilder out;
    for (int i = firstInside - 1; i <= endInside; ++i)
        addRecord(out, channel, i);
    const int inside = endInside - firstInside;
    if (inside == 0 || window.widthPx / inside < smoothSpacingPx)
        return out.segments;
    const double stepMs = msPerPixel() * smoothStepPx;
    for (QVector<QPointF>& segment : out.segments)
        segment = MonotoneCurve::polyline(segment, stepMs);
    return out.segments;
}

// Each column's minimum and maximum at the column's middle, in the order that continues
// the line from the previous point with the shorter stroke.
CurveSegments CurveReduction::columnCurve(int channel) const {
    SegmentBuilder out;
    addRecord(out, channel, firstInside - 1);
    const double columnMs = static_cast<double>(window.range.spanMs()) / (columnStarts.size() - 1);
    for (size_t c = 0; c + 1 < columnStarts.size(); ++c) {
        const int first = columnStarts[c];
        const int end = columnStarts[c + 1];
        if (first == end)
            continue;
        const ValueSpan span = pyramid.span(store, channel, first, end);
        if (span.isEmpty())
            continue;
        const double x = static_cast<double>(window.range.minMs) + (c + 0.5) * columnMs;
        const bool minFirst =
            out.isEmpty() || std::abs(out.lastY() - span.min) <= std::abs(out.lastY() - span.max);
        const QPointF low(x, span.min);
        const QPointF high(x, span.max);
        const qint64 firstSecs = store.timeAt(first);
        const qint64 lastSecs = store.timeAt(end - 1);
        if (span.min == span.max)
            out.add({low}, firstSecs, lastSecs);
        else
            out.add({minFirst ? low : high, minFirst ? high : low}, firstSecs, lastSecs);
    }
    addRecord(out, channel, endInside);
    return out.segments;
}
