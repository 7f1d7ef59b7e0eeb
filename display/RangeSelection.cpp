// SPDX-License-Identifier: GPL-3.0-or-later
#include "RangeSelection.h"

#include "ChartView.h"

#include <QApplication>
#include <QDateTime>
#include <QGraphicsItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>

#include <algorithm>
#include <cmath>

namespace {

const QColor bandFill(0, 120, 215, 50);
const QColor bandEdge(0, 90, 200);
constexpr double edgeWidth = 2.0;
// Above the curves, the grid and the legend of the chart.
constexpr double bandZ = 100;

} // namespace

// The translucent band and its two edges, in the chart's own coordinates.
class RangeBandItem : public QGraphicsItem {
public:
    explicit RangeBandItem(QGraphicsItem* parent) : QGraphicsItem(parent) {
        setZValue(bandZ);
        setAcceptedMouseButtons(Qt::NoButton);
        hide();
    }
    void setArea(const QRectF& area, bool showsMin, bool showsMax) {
        prepareGeometryChange();
        rect = area;
        minEdge = showsMin;
        maxEdge = showsMax;
    }
    const QRectF& area() const { return rect; }
    QRectF boundingRect() const override { return rect.adjusted(-edgeWidth, 0, edgeWidth, 0); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->fillRect(rect, bandFill);
        painter->setPen(QPen(bandEdge, edgeWidth));
        if (minEdge)
            painter->drawLine(rect.topLeft(), rect.bottomLeft());
        if (maxEdge)
            painter->drawLine(rect.topRight(), rect.bottomRight());
    }

private:
    QRectF rect;
    bool minEdge = false;
    bool maxEdge = false;
};

RangeSelection::RangeSelection(ChartView* view, QObject* parent)
    : QObject(parent), view(view), band(new RangeBandItem(view->chart())) {
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
    connect(view->chart(), &QtCharts::QChart::plotAreaChanged, this, [this] { placeBand(); });
    if (QtCharts::QDateTimeAxis* axis = timeAxis())
        connect(axis, &QtCharts::QDateTimeAxis::rangeChanged, this, [this] { placeBand(); });
}

std::optional<TimeRange> RangeSelection::range() const {
    if (!selected)
        return std::nullopt;
    return TimeRange{std::min(fixedMs, movingMs), std::max(fixedMs, movingMs)};
}

void RangeSelection::clear() {
    grab = Grab::None;
    if (!selected)
        return;
    selected = false;
    placeBand();
    emit changed();
}

QRectF RangeSelection::bandRect() const {
    return band->isVisible() ? band->mapRectToScene(band->area()) : QRectF();
}

void RangeSelection::setEnds(qint64 fixed, qint64 moving) {
    fixedMs = fixed;
    movingMs = moving;
    placeBand();
    emit changed();
}

QtCharts::QDateTimeAxis* RangeSelection::timeAxis() const {
    const QList<QtCharts::QAbstractAxis*> axes = view->chart()->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QtCharts::QDateTimeAxis*>(axes.first());
}

TimeRange RangeSelection::shownRange() const {
    const QtCharts::QDateTimeAxis* axis = timeAxis();
    return {axis->min().toMSecsSinceEpoch(), axis->max().toMSecsSinceEpoch()};
}

// Outside the plot, the time the axis would have there.
qint64 RangeSelection::timeAt(double x) const {
    const QRectF plot = view->chart()->plotArea();
    const TimeRange shown = shownRange();
    const double fraction = plot.width() > 0 ? (x - plot.left()) / plot.width() : 0;
    return shown.minMs + std::llround(fraction * double(shown.spanMs()));
}

double RangeSelection::xAt(qint64 ms) const {
    const QRectF plot = view->chart()->plotArea();
    const TimeRange shown = timeAxis() ? shownRange() : TimeRange();
    if (shown.spanMs() <= 0)
        return plot.left();
    return plot.left() + double(ms - shown.minMs) / double(shown.spanMs()) * plot.width();
}

// Clipped to the plot; an edge outside it is not drawn.
void RangeSelection::placeBand() {
    const std::optional<TimeRange> r = range();
    const QRectF plot = view->chart()->plotArea();
    const double left = r ? xAt(r->minMs) : 0;
    const double right = r ? xAt(r->maxMs) : 0;
    if (!r || right < plot.left() || left > plot.right()) {
        band->hide();
        emit bandMoved();
        return;
    }
    const double from = std::max(left, plot.left());
    const double to = std::min(right, plot.right());
    band->setArea(QRectF(from, plot.top(), to - from, plot.height()), left >= plot.left(),
                  right <= plot.right());
    band->show();
    band->update();
    emit bandMoved();
}

bool RangeSelection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view) {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return false;
        clear();
        return true; // Escape on the chart never reaches the window
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return mouse->button() == Qt::LeftButton &&
               mousePressed(mouse->localPos(), mouse->modifiers());
    }
    case QEvent::MouseMove:
        mouseDragged(static_cast<QMouseEvent*>(event)->localPos());
        return grab != Grab::None;
    case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && mouseReleased();
    default:
        return false;
    }
}

bool RangeSelection::mousePressed(const QPointF& pos, Qt::KeyboardModifiers modifiers) {
    clickAt.reset();
    if (!timeAxis())
        return false;
    view->setFocus(Qt::MouseFocusReason);
    const QRectF plot = view->chart()->plotArea();
    const bool inPlot = plot.adjusted(-edgeReach, 0, edgeReach, 0).contains(pos);
    if (modifiers & Qt::ShiftModifier) {
        if (!inPlot)
            return false;
        selected = true;
        grab = Grab::Edge;
        const qint64 at = timeAt(std::clamp(pos.x(), plot.left(), plot.right()));
        setEnds(at, at);
        return true;
    }
    if (const std::optional<TimeRange> r = range(); r && inPlot) {
        const double left = xAt(r->minMs);
        const double right = xAt(r->maxMs);
        // The nearer edge is taken, so a band a few pixels wide can still be widened.
        const bool nearLeft = std::abs(pos.x() - left) <= edgeReach;
        const bool nearRight = std::abs(pos.x() - right) <= edgeReach;
        if (nearLeft || nearRight) {
            const bool takeRight = nearRight && (!nearLeft || pos.x() > (left + right) / 2);
            grab = Grab::Edge;
            fixedMs = takeRight ? r->minMs : r->maxMs;
            movingMs = takeRight ? r->maxMs : r->minMs;
            return true;
        }
        if (pos.x() > left && pos.x() < right) {
            grab = Grab::Band;
            grabOffsetMs = r->minMs - timeAt(pos.x());
            return true;
        }
    }
    clickAt = pos;
    return false;
}

void RangeSelection::mouseDragged(const QPointF& pos) {
    if (clickAt && (pos - *clickAt).manhattanLength() >= QApplication::startDragDistance())
        clickAt.reset();
    const QRectF plot = view->chart()->plotArea();
    if (grab == Grab::Edge) {
        // An edge stays within the times shown; the band as a whole may leave them.
        setEnds(fixedMs, timeAt(std::clamp(pos.x(), plot.left(), plot.right())));
    } else if (grab == Grab::Band) {
        const qint64 start = timeAt(pos.x()) + grabOffsetMs;
        setEnds(start, start + range()->spanMs());
    }
}

bool RangeSelection::mouseReleased() {
    if (grab != Grab::None) {
        grab = Grab::None;
        return true;
    }
    if (clickAt) {
        clickAt.reset();
        clear();
    }
    return false;
}
