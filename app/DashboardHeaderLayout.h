// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <vector>

class QWidget;

// Hand layout of the dashboard page as its size changes: the chart container fills the
// page below the header, and the header's controls keep their distance from the chart's
// right edge at every width (the titles in between move half as far), so a maximised
// window leaves no strip without controls. The form's geometry is that of the normal
// size.
class DashboardHeaderLayout {
public:
    enum class Anchor { RightEdge, Middle };

    // The page width the form was drawn for.
    static constexpr int formPageWidth = 980;

    // Where a control drawn at `form` goes on a page `pageWidth` wide.
    static QRect placed(const QRect& form, Anchor anchor, int pageWidth);
    // The chart container; null when the page is too small to lay out.
    static QRect chartArea(int pageWidth, int pageHeight);

    // Takes the widget's present geometry as its form geometry.
    void follow(QWidget* widget, Anchor anchor);
    void pageResized(QWidget* chart, int pageWidth, int pageHeight) const;

private:
    struct Follower {
        QWidget* widget;
        QRect form;
        Anchor anchor;
    };
    std::vector<Follower> followers;
};
