// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardHeaderLayout.h"

#include <QWidget>

namespace {

constexpr int minWidth = 101;
constexpr int minHeight = 31;
constexpr int chartLeft = 10;
constexpr int chartTop = 130;

} // namespace

QRect DashboardHeaderLayout::placed(const QRect& form, Anchor anchor, int pageWidth) {
    const int shift = pageWidth - formPageWidth;
    return form.translated(anchor == Anchor::RightEdge ? shift : shift / 2, 0);
}

QRect DashboardHeaderLayout::chartArea(int w, int h) {
    if (w < minWidth || h < minHeight)
        return QRect();
    return QRect(chartLeft, chartTop, w - 2 * chartLeft, h - chartTop + chartLeft);
}

void DashboardHeaderLayout::follow(QWidget* widget, Anchor anchor) {
    followers.push_back({widget, widget->geometry(), anchor});
}

void DashboardHeaderLayout::pageResized(QWidget* chart, int w, int h) const {
    const QRect area = chartArea(w, h);
    if (area.isNull())
        return;
    chart->setGeometry(area);
    for (const Follower& f : followers)
        f.widget->setGeometry(placed(f.form, f.anchor, w));
}
