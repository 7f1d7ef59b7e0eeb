// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintKit.h"

#include <QLineF>
#include <QPainter>

#include <array>

QImage paintImage(QSize size, const Drawing& draw) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(painter);
    return image;
}

QImage paintSquare(int pixels, qreal units, const Drawing& draw) {
    return paintImage(QSize(pixels, pixels), [&](QPainter& painter) {
        painter.scale(pixels / units, pixels / units);
        draw(painter);
    });
}

QPen roundPen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

namespace {
// Tip and the two base corners of a shape inscribed in `box`, in that order.
std::array<QPointF, 3> pointsTowards(const QRectF& box, Direction towards) {
    switch (towards) {
    case Direction::Up:
        return {QPointF(box.center().x(), box.top()), box.bottomLeft(), box.bottomRight()};
    case Direction::Down:
        return {QPointF(box.center().x(), box.bottom()), box.topLeft(), box.topRight()};
    case Direction::Left:
        return {QPointF(box.left(), box.center().y()), box.topRight(), box.bottomRight()};
    case Direction::Right:
        break;
    }
    return {QPointF(box.right(), box.center().y()), box.topLeft(), box.bottomLeft()};
}
} // namespace

QPolygonF triangle(const QRectF& box, Direction towards) {
    const auto points = pointsTowards(box, towards);
    return QPolygonF({points[0], points[1], points[2]});
}

QPainterPath chevron(const QRectF& box, Direction towards) {
    const auto points = pointsTowards(box, towards);
    QPainterPath path(points[1]);
    path.lineTo(points[0]);
    path.lineTo(points[2]);
    return path;
}

QPainterPath arrowPath(QPointF from, QPointF to, qreal head) {
    QPainterPath path(from);
    path.lineTo(to);
    const QLineF shaft(to, from);
    for (const qreal turn : {-40.0, 40.0}) {
        QLineF barb = shaft;
        barb.setLength(head);
        barb.setAngle(shaft.angle() + turn);
        path.moveTo(to);
        path.lineTo(barb.p2());
    }
    return path;
}
