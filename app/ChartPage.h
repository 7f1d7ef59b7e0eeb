// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartPanel.h"
#include "ChartViews.h"
#include "CurveStyles.h"
#include "CustomRanges.h"

#include <QObject>

class CurveStyleTable;
class RangeMeasure;
class QWidget;
class customcoordinates;

namespace Ui {
class MainDialog;
}

// The chart on the dashboard page: the chart panel, the custom range panel and the curve
// style table it draws by, and the three view buttons that show which view is on.
class ChartPage : public QObject {
    Q_OBJECT
public:
    // dialog: the window the panel is placed over and the colour dialog's parent.
    ChartPage(Ui::MainDialog* ui, QWidget* dialog, QObject* parent);
    ~ChartPage() override;

    ChartPanel* panel() const { return chart; }
    customcoordinates* axisPanel() const { return rangePanel; }
    CurveStyleTable* styleTable() const { return table; }
    CurveStyles* curveStyles() { return &styles; }
    RangeMeasure* rangeMeasure() const { return measure; }

    // A view button was pressed: its view on, or back to the main view.
    void toggleView(CurveView view);

private:
    void styleViewButtons();
    void styleRangeButton();

    Ui::MainDialog* ui;
    // Laid over the chart like the curve style table, so it moves with the window and
    // the one opened last is on top.
    customcoordinates* rangePanel;
    CurveStyles styles;
    ChartPanel* chart = nullptr;
    CurveStyleTable* table = nullptr;
    RangeMeasure* measure = nullptr;
};
