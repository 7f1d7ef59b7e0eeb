#pragma once

#include <QRect>

// Hand layout of the dashboard page as its width changes: the chart container fills the
// page below the header; from the third width change on, the header shortcuts follow the
// right edge and the title follows by half the change.
class DashboardHeaderLayout {
public:
    struct Placement {
        bool placeChart = false;
        QRect chart;
        bool placeHeader = false;
        QRect title, sysSetButton, sysSetTip, upgradeButton, upgradeTip;
    };

    // The one layout of the program: positions and the change counter are program-wide.
    static DashboardHeaderLayout& shared();

    Placement pageResized(int width, int height);

private:
    static constexpr int minWidth = 101;
    static constexpr int minHeight = 31;
    static constexpr int counterLimit = 10;
    static constexpr int changesBeforeHeaderMoves = 2;
    // The captions under the two shortcut buttons are widened about their centre so the
    // English "Firmware update" fits.
    static constexpr int tipWiden = 18;

    int lastWidth = 0;
    int widthDelta = 0;
    int widthChanges = 0;
    int sysSetX = 854;
    int sysSetTipX = 850;
    int upgradeX = 920;
    int upgradeTipX = 916;
    int titleX = 310;
};
