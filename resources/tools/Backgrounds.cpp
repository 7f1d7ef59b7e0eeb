// SPDX-License-Identifier: GPL-3.0-or-later
#include "Backgrounds.h"

#include "PaintKit.h"
#include "ThemeColours.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cstdint>

namespace {
// The panel is stretched over the whole window, so a smooth image of about the window's
// aspect ratio is enough.
constexpr QSize panelSize(246, 180);
constexpr QSize dashboardSize(1000, 800);
// Slightly lighter than the theme's #444444 at the top, darker at the bottom.
constexpr QRgb panelTop = 0x4A4A4A;
constexpr QRgb panelBottom = 0x3E3E3E;
// Blue-grey slate, darkening towards the lower right where the gauges sit.
constexpr QRgb slateLight = 0x3C4144;
constexpr QRgb slateMiddle = 0x2E3235;
constexpr QRgb slateDark = 0x25282A;

// Adds +-1 of deterministic noise to every colour channel: a slow gradient spread over
// hundreds of pixels otherwise shows bands, worst after JPEG compression. A fixed seed keeps
// the build reproducible.
void dither(QImage& image) {
    std::uint32_t state = 0x2545F491u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u; // Numerical Recipes LCG
            const int offset = static_cast<int>(state >> 30) - 1;
            const QRgb pixel = line[x];
            line[x] =
                qRgb(qBound(0, qRed(pixel) + offset, 255), qBound(0, qGreen(pixel) + offset, 255),
                     qBound(0, qBlue(pixel) + offset, 255));
        }
    }
}
} // namespace

QImage windowPanel() {
    return paintImage(panelSize, [](QPainter& p) {
        const QRectF area(QPointF(0, 0), panelSize);
        QLinearGradient shade(area.topLeft(), area.bottomLeft());
        shade.setColorAt(0, QColor(panelTop));
        shade.setColorAt(1, QColor(panelBottom));
        p.fillRect(area, shade);
        QRadialGradient glow(QPointF(area.center().x(), 0), area.width() * 0.7);
        glow.setColorAt(0, QColor(255, 255, 255, 10));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(area, glow);
    });
}

QImage dashboardBackground() {
    QImage image = paintImage(dashboardSize, [](QPainter& p) {
        const QRectF area(QPointF(0, 0), dashboardSize);
        QLinearGradient base(area.topLeft(), area.bottomRight());
        base.setColorAt(0, QColor(slateLight));
        base.setColorAt(0.55, QColor(slateMiddle));
        base.setColorAt(1, QColor(slateDark));
        p.fillRect(area, base);
        QColor tint(theme::accent);
        QRadialGradient glow(QPointF(area.width() * 0.18, area.height() * 0.12),
                             area.width() * 0.75);
        tint.setAlpha(22);
        glow.setColorAt(0, tint);
        tint.setAlpha(0);
        glow.setColorAt(1, tint);
        p.fillRect(area, glow);
    });
    image = image.convertToFormat(QImage::Format_RGB32);
    dither(image);
    return image;
}
