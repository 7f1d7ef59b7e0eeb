// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <functional>

class QPainter;

// Shared drawing helpers of the image generator. Every picture is painted with antialiasing
// on a transparent premultiplied ARGB image.
using Drawing = std::function<void(QPainter&)>;

// One unit of the drawing is one pixel.
QImage paintImage(QSize size, const Drawing& draw);

// Square icon drawn in a design grid `units` wide and scaled to `pixels`, so the geometry
// reads in one unit system whatever size the icon is rendered at.
QImage paintSquare(int pixels, qreal units, const Drawing& draw);

// A solid pen with round caps and joins: strokes of small icons end softly.
QPen roundPen(const QColor& colour, qreal width);

enum class Direction { Up, Down, Left, Right };

// Isosceles triangle filling `box`, its tip on the side that `towards` names.
QPolygonF triangle(const QRectF& box, Direction towards);

// Open two-segment chevron inside `box`, pointing as `towards` says.
QPainterPath chevron(const QRectF& box, Direction towards);

// Straight arrow from `from` to `to`, head of length `head` at `to`, as an open path
// meant to be stroked with a round pen.
QPainterPath arrowPath(QPointF from, QPointF to, qreal head);
