#include "DashboardHeaderLayout.h"

DashboardHeaderLayout& DashboardHeaderLayout::shared() {
    static DashboardHeaderLayout layout;
    return layout;
}

DashboardHeaderLayout::Placement DashboardHeaderLayout::pageResized(int w, int h) {
    Placement p;
    if (w != lastWidth && w >= minWidth) {
        widthDelta = w - lastWidth;
        lastWidth = w;
        if (widthChanges < counterLimit)
            ++widthChanges;
    }
    if (w >= minWidth && h >= minHeight) {
        p.placeChart = true;
        p.chart = QRect(10, 130, w - 20, h - 120);
    }
    if (widthChanges > changesBeforeHeaderMoves) {
        sysSetX += widthDelta;
        sysSetTipX += widthDelta;
        upgradeX += widthDelta;
        upgradeTipX += widthDelta;
        titleX += widthDelta / 2;
        widthDelta = 0;
        p.placeHeader = true;
        p.title = QRect(titleX, 0, 411, 31);
        p.sysSetButton = QRect(sysSetX, 2, 41, 31);
        p.sysSetTip = QRect(sysSetTipX - tipWiden / 2, 32, 54 + tipWiden, 15);
        p.upgradeButton = QRect(upgradeX, 2, 41, 31);
        p.upgradeTip = QRect(upgradeTipX - tipWiden / 2, 32, 54 + tipWiden, 15);
    }
    return p;
}
