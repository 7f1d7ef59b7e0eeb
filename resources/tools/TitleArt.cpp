// SPDX-License-Identifier: GPL-3.0-or-later
#include "TitleArt.h"

#include "PaintKit.h"
#include "ThemeColours.h"

#include <QLinearGradient>
#include <QPainter>
#include <QtMath>

namespace {
constexpr QSize stripSize(130, 20);
constexpr int barCount = 15;
constexpr qreal barWidth = 4;
constexpr qreal barPitch = 7;
constexpr qreal barsLeft = 25.5;
constexpr qreal baseline = 18.5;
constexpr int listPixels = 20;
// The menu icon is scaled down by the dashboard button, so it is drawn large.
constexpr int menuPixels = 200;
constexpr int languagePixels = 100;

// Rounded dial with a gauge arc and needle, in the strip's first 20 px.
void meterGlyph(QPainter& p, const QColor& colour) {
    const QPointF pivot(10, 13.5);
    p.setPen(roundPen(colour, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 3.5, 3.5);
    p.drawArc(QRectF(pivot.x() - 6, pivot.y() - 6, 12, 12), 0, 180 * 16);
    p.drawLine(pivot, QPointF(13.6, 8.6));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(pivot, 1.5, 1.5);
}
} // namespace

QImage logoStrip(const QColor& colour) {
    return paintImage(stripSize, [&](QPainter& p) {
        meterGlyph(p, colour);
        QColor faint = colour;
        faint.setAlpha(150);
        QLinearGradient fade(barsLeft, 0, stripSize.width(), 0);
        fade.setColorAt(0, colour);
        fade.setColorAt(1, faint);
        p.setPen(Qt::NoPen);
        p.setBrush(fade);
        for (int i = 0; i < barCount; ++i) {
            // A lively but bounded level trace: two beating waves, never below a third of
            // the strip so every bar still reads as a bar.
            const qreal level = 0.5 + 0.3 * qSin(i * 0.9 + 0.4) + 0.2 * qSin(i * 2.1 + 1.0);
            const qreal height = 6 + 11 * level;
            p.drawRoundedRect(QRectF(barsLeft + i * barPitch, baseline - height, barWidth, height),
                              1, 1);
        }
    });
}

QImage listIcon() {
    return paintImage(QSize(listPixels, listPixels), [](QPainter& p) {
        for (const qreal row : {5.0, 10.0, 15.0}) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(theme::accent));
            p.drawEllipse(QPointF(4, row), 1.8, 1.8);
            p.setPen(roundPen(QColor(theme::text), 1.8));
            p.drawLine(QPointF(8.5, row), QPointF(17, row));
        }
    });
}

QImage menuIcon() {
    return paintImage(QSize(menuPixels, menuPixels), [](QPainter& p) {
        p.setPen(roundPen(QColor(theme::text), 22));
        for (const qreal row : {52.0, 100.0, 148.0}) {
            p.drawLine(QPointF(40, row), QPointF(160, row));
        }
    });
}

QImage languageIcon() {
    return paintImage(QSize(languagePixels, languagePixels), [](QPainter& p) {
        const QPointF centre(50, 50);
        constexpr qreal radius = 42;
        QPainterPath globe;
        globe.addEllipse(centre, radius, radius);
        p.setClipPath(globe);
        p.setPen(roundPen(QColor(theme::accent), 5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 18, radius);
        p.drawLine(QPointF(50, 0), QPointF(50, 100));
        for (const qreal latitude : {29.0, 50.0, 71.0}) {
            p.drawLine(QPointF(0, latitude), QPointF(100, latitude));
        }
        p.setClipping(false);
        p.setPen(roundPen(QColor(theme::accent), 6));
        p.drawEllipse(centre, radius, radius);
    });
}
