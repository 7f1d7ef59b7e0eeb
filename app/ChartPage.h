#pragma once

#include "ChartPanel.h"
#include "ChartViews.h"
#include "CurveStyles.h"
#include "CustomRanges.h"

#include <QObject>

namespace Ui {
class MainDialog;
}

// The chart on the dashboard page: the chart panel with the custom ranges and curve
// styles it draws by, and the three view buttons that show which view is on.
class ChartPage : public QObject {
    Q_OBJECT
public:
    ChartPage(Ui::MainDialog* ui, QObject* parent);

    ChartPanel* panel() const { return chart; }
    CustomRanges* customRanges() { return &ranges; }
    CurveStyles* curveStyles() { return &styles; }

    // A view button was pressed: its view on, or back to the main view.
    void toggleView(CurveView view);

private:
    void styleViewButtons();

    Ui::MainDialog* ui;
    CustomRanges ranges;
    CurveStyles styles;
    ChartPanel* chart = nullptr;
};
