// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusPictures.h"

#include "PaintKit.h"
#include "ThemeColours.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
// Pictures are designed on a 64 x 64 grid; the dashboard and upgrade page show them at
// 40-64 px. The folder is an ordinary 32 px icon.
constexpr int picturePixels = 64;
constexpr qreal grid = 64;
constexpr int folderPixels = 32;
// Manila folder: darker back with its tab, lighter front.
constexpr QRgb folderEdge = 0xB87A16;
constexpr QRgb folderBack = 0xD99A2B;
constexpr QRgb folderFrontTop = 0xFFD670;
constexpr QRgb folderFrontBottom = 0xF0AE36;

QImage picture(const Drawing& draw) {
    return paintSquare(picturePixels, grid, draw);
}

QLinearGradient vertical(qreal top, qreal bottom, QRgb upper, QRgb lower) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, QColor(upper));
    gradient.setColorAt(1, QColor(lower));
    return gradient;
}

// Glossy disc behind the run and pause glyphs.
void buttonDisc(QPainter& p, QRgb light, QRgb dark) {
    p.setPen(QPen(QColor(dark).darker(130), 1.5));
    p.setBrush(vertical(4, 60, light, dark));
    p.drawEllipse(QPointF(32, 32), 28.5, 28.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QRectF(14, 7, 36, 20));
}

// Round state badge in the top right corner of the USB picture.
void usbBadge(QPainter& p, bool connected) {
    const QPointF centre(50, 15);
    p.setPen(QPen(QColor(theme::panel), 2.5));
    p.setBrush(QColor(connected ? theme::go : theme::danger));
    p.drawEllipse(centre, 10, 10);
    p.setPen(roundPen(QColor(theme::white), 3));
    if (connected) {
        p.drawPolyline(QPolygonF({{45.5, 15.5}, {48.8, 18.8}, {54.8, 11.6}}));
    } else {
        p.drawLine(QPointF(46, 11), QPointF(54, 19));
        p.drawLine(QPointF(54, 11), QPointF(46, 19));
    }
}
} // namespace

QImage currentDirectionArrow(bool up) {
    return picture([up](QPainter& p) {
        if (!up) {
            p.translate(0, grid);
            p.scale(1, -1);
        }
        const QPolygonF arrow({{32, 5}, {57, 30}, {42, 30}, {42, 59}, {22, 59}, {22, 30}, {7, 30}});
        const QRgb light = up ? theme::accentLight : theme::warm;
        const QRgb dark = up ? theme::accentDark : theme::warmDark;
        p.setPen(roundPen(QColor(dark).darker(125), 2.5));
        p.setBrush(vertical(5, 59, light, dark));
        p.drawPolygon(arrow);
    });
}

QImage runPicture() {
    return picture([](QPainter& p) {
        buttonDisc(p, theme::go, theme::goDark);
        p.setPen(roundPen(QColor(theme::white), 4));
        p.setBrush(QColor(theme::white));
        p.drawPolygon(QPolygonF({{26, 20}, {26, 44}, {46, 32}}));
    });
}

QImage pausePicture() {
    return picture([](QPainter& p) {
        buttonDisc(p, theme::warm, theme::warmDark);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(theme::white));
        p.drawRoundedRect(QRectF(22, 19, 7.5, 26), 2, 2);
        p.drawRoundedRect(QRectF(34.5, 19, 7.5, 26), 2, 2);
    });
}

QImage usbPicture(bool connected) {
    return picture([connected](QPainter& p) {
        const QRgb body = connected ? theme::accent : theme::shadeLight;
        const QRgb bodyDark = connected ? theme::accentDark : theme::shade;
        p.setPen(roundPen(QColor(connected ? theme::text : theme::textDim), 6));
        p.drawLine(QPointF(50, 34), QPointF(60, 34));
        p.setPen(QPen(QColor(theme::metalDark), 1.5));
        p.setBrush(vertical(25, 43, theme::metal, theme::metalDark));
        p.drawRect(QRectF(5, 25, 20, 18));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(theme::panelDark));
        p.drawRect(QRectF(9, 30, 4, 4));
        p.drawRect(QRectF(16, 30, 4, 4));
        p.setPen(QPen(QColor(bodyDark).darker(120), 1.5));
        p.setBrush(vertical(21, 47, body, bodyDark));
        p.drawRoundedRect(QRectF(24, 21, 27, 26), 4, 4);
        p.setPen(roundPen(QColor(255, 255, 255, 70), 2));
        p.drawLine(QPointF(30, 28), QPointF(45, 28));
        p.drawLine(QPointF(30, 34), QPointF(45, 34));
        p.drawLine(QPointF(30, 40), QPointF(45, 40));
        usbBadge(p, connected);
    });
}

QImage downloadPicture() {
    return picture([](QPainter& p) {
        p.setPen(roundPen(QColor(theme::text), 5));
        p.drawPolyline(QPolygonF({{9, 38}, {9, 54}, {55, 54}, {55, 38}}));
        p.setPen(roundPen(QColor(theme::accent), 6));
        p.drawPath(arrowPath(QPointF(32, 7), QPointF(32, 41), 15));
    });
}

QImage folderIcon() {
    return paintImage(QSize(folderPixels, folderPixels), [](QPainter& p) {
        p.setPen(QPen(QColor(folderEdge), 1));
        p.setBrush(QColor(folderBack));
        p.drawPolygon(
            QPolygonF({{2.5, 6.5}, {12, 6.5}, {15, 9.5}, {29.5, 9.5}, {29.5, 26.5}, {2.5, 26.5}}));
        p.setBrush(vertical(12.5, 27, folderFrontTop, folderFrontBottom));
        p.drawRoundedRect(QRectF(2.5, 12.5, 27, 14), 1.5, 1.5);
    });
}
