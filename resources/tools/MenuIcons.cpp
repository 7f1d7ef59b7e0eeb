// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenuIcons.h"

#include "PaintKit.h"
#include "ThemeColours.h"

#include <QPainter>
#include <QtMath>

namespace {
// Icons are designed on a 32 x 32 grid and rendered at the size menus show them.
constexpr int iconPixels = 32;
constexpr qreal grid = 32;
constexpr qreal stroke = 2;

QImage menuIcon(const Drawing& draw) {
    return paintSquare(iconPixels, grid, draw);
}

// Accent disc with a white arrow in the lower right corner, pointing out of the icon for
// an export and into it for an import; the area under it is cleared first so the badge
// stays readable over whatever the icon drew there.
void transferBadge(QPainter& p, bool outwards) {
    const QPointF centre(24, 24);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(centre, 9.5, 9.5);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(theme::accent));
    p.drawEllipse(centre, 7.5, 7.5);
    p.setPen(roundPen(QColor(theme::white), 1.8));
    p.setBrush(Qt::NoBrush);
    const QPointF inner(20.5, 24), outer(27.5, 24);
    p.drawPath(outwards ? arrowPath(inner, outer, 3.2) : arrowPath(outer, inner, 3.2));
}

// A table sheet with a shaded title row.
void dataSheet(QPainter& p) {
    const QRectF sheet(3, 4, 22, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(theme::textDim));
    p.drawRoundedRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 5.5), 2, 2);
    p.setPen(roundPen(QColor(theme::text), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(sheet, 2, 2);
    p.drawLine(QPointF(3, 14.5), QPointF(25, 14.5));
    p.drawLine(QPointF(3, 19.5), QPointF(25, 19.5));
    p.drawLine(QPointF(10.5, 9.5), QPointF(10.5, 24));
    p.drawLine(QPointF(17.5, 9.5), QPointF(17.5, 24));
}

// Left and bottom axes of a small chart.
void chartAxes(QPainter& p) {
    p.setPen(roundPen(QColor(theme::text), stroke));
    p.drawPolyline(QPolygonF({{4, 4}, {4, 28}, {28, 28}}));
}
} // namespace

QImage exportDataIcon() {
    return menuIcon([](QPainter& p) {
        dataSheet(p);
        transferBadge(p, true);
    });
}

QImage openDataIcon() {
    return menuIcon([](QPainter& p) {
        dataSheet(p);
        transferBadge(p, false);
    });
}

QImage exportImageIcon() {
    return menuIcon([](QPainter& p) {
        const QRectF frame(3, 5, 22, 18);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(theme::textDim));
        p.drawPolygon(QPolygonF({{4, 22}, {10, 14}, {14, 18.5}, {18, 12.5}, {24, 20}, {24, 22}}));
        p.setBrush(QColor(theme::accent));
        p.drawEllipse(QPointF(9.5, 10), 2.3, 2.3);
        p.setPen(roundPen(QColor(theme::text), stroke));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(frame, 2, 2);
        transferBadge(p, true);
    });
}

QImage curveSettingsIcon() {
    return menuIcon([](QPainter& p) {
        const qreal rows[] = {8, 16, 24};
        const qreal knobs[] = {20, 10, 16};
        for (int i = 0; i < 3; ++i) {
            p.setPen(roundPen(QColor(theme::text), stroke));
            p.drawLine(QPointF(4, rows[i]), QPointF(28, rows[i]));
            p.setPen(QPen(QColor(theme::panel), 1.5));
            p.setBrush(QColor(theme::accent));
            p.drawEllipse(QPointF(knobs[i], rows[i]), 3.6, 3.6);
        }
    });
}

QImage systemSettingsIcon() {
    return menuIcon([](QPainter& p) {
        constexpr int teeth = 8;
        const QPointF centre(16, 16);
        QPainterPath gear;
        gear.addEllipse(centre, 10, 10);
        for (int i = 0; i < teeth; ++i) {
            QPainterPath tooth;
            tooth.addRoundedRect(QRectF(-3, -14, 6, 6), 1.2, 1.2);
            QTransform turn;
            turn.translate(centre.x(), centre.y());
            turn.rotate(i * 360.0 / teeth);
            gear = gear.united(turn.map(tooth));
        }
        QPainterPath hole;
        hole.addEllipse(centre, 4.6, 4.6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(theme::text));
        p.drawPath(gear.subtracted(hole));
        p.setBrush(QColor(theme::accent));
        p.drawEllipse(centre, 2.4, 2.4);
    });
}

QImage accumulateIcon() {
    return menuIcon([](QPainter& p) {
        const QPolygonF curve({{7, 24}, {11, 21}, {15, 21.5}, {19, 15}, {23, 12.5}, {27, 7}});
        QPolygonF area = curve;
        area << QPointF(27, 26.5) << QPointF(7, 26.5);
        QColor fill(theme::accent);
        fill.setAlpha(90);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPolygon(area);
        p.setPen(roundPen(QColor(theme::accent), stroke));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(curve);
        chartAxes(p);
    });
}

QImage scrollIcon() {
    return menuIcon([](QPainter& p) {
        QPainterPath wave(QPointF(4, 12));
        for (qreal x = 4.5; x <= 28; x += 0.5) {
            wave.lineTo(x, 12 - 5 * qSin((x - 4) * M_PI / 8));
        }
        p.setPen(roundPen(QColor(theme::accent), stroke));
        p.drawPath(wave);
        p.setPen(roundPen(QColor(theme::text), stroke));
        p.drawPath(arrowPath(QPointF(27, 25), QPointF(5, 25), 4.5));
    });
}

QImage upgradeIcon() {
    return menuIcon([](QPainter& p) {
        const QRectF chip(8, 8, 16, 16);
        p.setPen(roundPen(QColor(theme::text), stroke));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(chip, 2.5, 2.5);
        for (const qreal at : {12.0, 16.0, 20.0}) {
            p.drawLine(QPointF(at, 3.5), QPointF(at, 6));
            p.drawLine(QPointF(at, 26), QPointF(at, 28.5));
            p.drawLine(QPointF(3.5, at), QPointF(6, at));
            p.drawLine(QPointF(26, at), QPointF(28.5, at));
        }
        p.setPen(roundPen(QColor(theme::accent), 2.4));
        p.drawPath(arrowPath(QPointF(16, 20.5), QPointF(16, 11.5), 4));
    });
}
