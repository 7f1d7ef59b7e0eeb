// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TimeWindow.h"

#include <QObject>
#include <QPointF>
#include <QRectF>

#include <optional>

namespace QtCharts {
class QDateTimeAxis;
}

class ChartView;
class RangeBandItem;

// A stretch of time picked on the chart: Shift + left drag selects it, dragging an edge
// of its band moves that edge, dragging inside the band moves the band, and a plain click
// outside it or Escape on the chart clears it. Plain drags elsewhere still pan and the
// wheel still zooms: those reach the view untouched. The band is drawn over the plot at
// its times, so it stays with them whatever moves the time axis.
class RangeSelection : public QObject {
    Q_OBJECT
public:
    // Pixels either side of an edge that grab it.
    static constexpr double edgeReach = 5.0;

    explicit RangeSelection(ChartView* view, QObject* parent = nullptr);

    std::optional<TimeRange> range() const;
    void clear();
    // The band's place in the view's coordinates, clipped to the plot; empty when no
    // part of it is in view.
    QRectF bandRect() const;

signals:
    // The range was set, changed or cleared.
    void changed();
    // The band moved on the screen: a new range, or the time axis or the plot moved.
    void bandMoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Grab { None, Edge, Band };

    bool mousePressed(const QPointF& pos, Qt::KeyboardModifiers modifiers);
    void mouseDragged(const QPointF& pos);
    bool mouseReleased();
    QtCharts::QDateTimeAxis* timeAxis() const;
    TimeRange shownRange() const;
    qint64 timeAt(double x) const;
    double xAt(qint64 ms) const;
    void placeBand();
    void setEnds(qint64 fixedMs, qint64 movingMs);

    ChartView* view;
    RangeBandItem* band;
    bool selected = false;
    // The two ends; `moving` follows an edge drag, either may be the earlier.
    qint64 fixedMs = 0;
    qint64 movingMs = 0;
    Grab grab = Grab::None;
    qint64 grabOffsetMs = 0;
    // A press outside the band that has not moved yet: on release it clears the range.
    std::optional<QPointF> clickAt;
};
