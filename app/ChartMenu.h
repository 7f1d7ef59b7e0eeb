// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

#include <array>

// The chart menu of the dashboard. It is built anew on every click, so its texts always
// follow the current language; the main dialog connects the entries to its slots.
class ChartMenu : public QMenu {
public:
    // In menu order. Developing is a placeholder that does nothing.
    enum Entry {
        ExportData,
        ExportImage,
        CurveSettings,
        Accumulate,
        Scroll,
        Developing,
        OpenData,
        OpenPrevious,
        EntryCount
    };

    explicit ChartMenu(QWidget* parent);
    QAction* action(Entry entry) const { return actions[entry]; }

private:
    std::array<QAction*, EntryCount> actions{};
};
