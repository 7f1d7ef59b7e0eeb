// SPDX-License-Identifier: GPL-3.0-or-later
#include "StyleIcons.h"

#include "ThemeColours.h"

#include <QPainter>

namespace {
// Qt draws indicators at the size the style sheet asks for (16 px); arrows are smaller
// because they sit inside 16-20 px wide sub-controls.
constexpr int indicatorPixels = 16;
constexpr int arrowPixels = 12;
constexpr int calendarPixels = 16;

// Colours of an indicator's frame, fill and mark in its enabled or disabled look.
struct IndicatorColours {
    QColor frame;
    QColor fill;
    QColor activeFill;
    QColor mark;
};

IndicatorColours indicatorColours(bool enabled) {
    if (enabled) {
        return {QColor(theme::textDim), QColor(theme::panelDark), QColor(theme::accent),
                QColor(theme::white)};
    }
    return {QColor(theme::shadeLight), QColor(theme::panelLight), QColor(theme::shadeLight),
            QColor(theme::disabledMark)};
}
} // namespace

QImage checkBoxIndicator(Qt::CheckState state, bool enabled) {
    const IndicatorColours colours = indicatorColours(enabled);
    return paintImage(QSize(indicatorPixels, indicatorPixels), [&](QPainter& p) {
        const QRectF box(1.5, 1.5, 13, 13);
        const bool marked = state != Qt::Unchecked;
        p.setPen(QPen(marked ? colours.activeFill : colours.frame, 1));
        p.setBrush(marked ? colours.activeFill : colours.fill);
        p.drawRoundedRect(box, 3, 3);
        p.setPen(roundPen(colours.mark, 2));
        if (state == Qt::Checked) {
            p.drawPolyline(QPolygonF({{4.5, 8.2}, {7, 10.7}, {11.6, 5.4}}));
        } else if (state == Qt::PartiallyChecked) {
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
        }
    });
}

QImage radioIndicator(bool checked, bool enabled) {
    const IndicatorColours colours = indicatorColours(enabled);
    return paintImage(QSize(indicatorPixels, indicatorPixels), [&](QPainter& p) {
        const QPointF centre(8, 8);
        p.setPen(QPen(checked ? colours.activeFill : colours.frame, checked ? 1.5 : 1));
        p.setBrush(colours.fill);
        p.drawEllipse(centre, 6.5, 6.5);
        if (checked) {
            p.setPen(Qt::NoPen);
            p.setBrush(colours.activeFill);
            p.drawEllipse(centre, 3.5, 3.5);
        }
    });
}

QImage smallArrow(Direction towards) {
    return paintImage(QSize(arrowPixels, arrowPixels), [&](QPainter& p) {
        // Fill only, base on a pixel boundary: the flat side stays crisp at 12 px.
        const bool vertical = towards == Direction::Up || towards == Direction::Down;
        const QRectF box = vertical ? QRectF(2, 4, 8, 4) : QRectF(4, 2, 4, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(theme::text));
        p.drawPolygon(triangle(box, towards));
    });
}

QImage branchIndicator(bool open) {
    return paintImage(QSize(arrowPixels, arrowPixels), [&](QPainter& p) {
        const QRectF box = open ? QRectF(3, 4.5, 6, 3.2) : QRectF(4.5, 3, 3.2, 6);
        p.setPen(roundPen(QColor(open ? theme::accent : theme::textDim), 1.6));
        p.drawPath(chevron(box, open ? Direction::Down : Direction::Right));
    });
}

QImage calendarArrow(Direction towards) {
    return paintImage(QSize(calendarPixels, calendarPixels), [&](QPainter& p) {
        const bool left = towards == Direction::Left;
        const QRectF box(left ? 5.5 : 6.5, 4, 4, 8);
        p.setPen(roundPen(QColor(theme::text), 2));
        p.drawPath(chevron(box, towards));
    });
}
