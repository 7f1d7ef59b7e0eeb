// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppIcon.h"

#include "PaintKit.h"
#include "ThemeColours.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>

namespace {

// Design grid of the icon; every coordinate below is in these units.
constexpr qreal units = 64;
constexpr qreal bodyRadius = 12;
constexpr QRgb screenBlack = 0x161A19;

void drawBody(QPainter& p) {
    QLinearGradient shade(0, 4, 0, 60);
    shade.setColorAt(0, QColor(theme::shadeLight));
    shade.setColorAt(1, QColor(theme::panelDark));
    p.setPen(QPen(QColor(theme::accentDark), 2.5));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), bodyRadius, bodyRadius);
}

void drawScreen(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(screenBlack));
    p.drawRoundedRect(QRectF(10, 11, 44, 30), 4, 4);
    // A charge: the current rises, holds, then tapers.
    p.setPen(roundPen(QColor(theme::accentLight), 3));
    p.drawPolyline(QPolygonF({{27, 35}, {31, 19}, {40, 18}, {45, 26}, {50, 31}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(theme::warm));
    p.drawPolygon(QPolygonF({{21, 14}, {13, 28}, {18, 28}, {16, 38}, {25, 23}, {20, 23}}));
}

void drawSocket(QPainter& p) {
    p.setPen(QPen(QColor(theme::metalDark), 1.5));
    p.setBrush(QColor(theme::metal));
    p.drawRoundedRect(QRectF(21, 46, 22, 8), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(theme::panelDark));
    p.drawRoundedRect(QRectF(25, 49, 14, 2), 1, 1);
}

} // namespace

int appIconPixels(const QString& fileName) {
    static const QRegularExpression name(QStringLiteral("^usb-meter_([1-9][0-9]{0,3})\\.png$"));
    const QRegularExpressionMatch match = name.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QImage appIcon(int pixels) {
    return paintSquare(pixels, units, [](QPainter& p) {
        drawBody(p);
        drawScreen(p);
        drawSocket(p);
    });
}
