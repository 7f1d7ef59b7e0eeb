// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPage.h"

#include "CurveStyleTable.h"
#include "RangeMeasure.h"
#include "customcoordinates.h"
#include "ui_MainDialog.h"

#include <algorithm>

namespace {

const char* const activeViewButton =
    "QPushButton{background-color:rgb(62, 62, 62); color: rgb(255, 255, 0);border:2px groove "
    "green;border-radius:10px;padding:2px 4px;border-style: "
    "outset;}QPushButton:hover{background-color:rgb(62, 62, 62); color: rgb(255, 255, "
    "0);border:2px groove green;border-radius:10px;padding:2px 4px;border-style: outset;}";
const char* const normalViewButton =
    "QPushButton{background-color: rgb(62, 62, 62);border-radius: 5px;color: rgb(255, 255, "
    "255);border:2px groove gray;border-radius:10px;padding:2px 4px;border-style: "
    "outset;}QPushButton:hover{background-color:rgb(62, 62, 62); color: rgb(255, 255, "
    "0);border:2px groove green;border-radius:10px;padding:2px 4px;border-style: outset;}";

} // namespace

ChartPage::ChartPage(Ui::MainDialog* ui, QWidget* dialog, QObject* parent)
    : QObject(parent), ui(ui), rangePanel(new customcoordinates(ui->widget)) {
    rangePanel->hide();
    styles.load();
    chart = new ChartPanel(ui->disap_gridLayout, &rangePanel->ranges(), &styles, this);
    table = new CurveStyleTable(ui->widget, styles, dialog, this);
    connect(table, &CurveStyleTable::penChanged, chart, &ChartPanel::applyPen);
    connect(table, &CurveStyleTable::themeChanged, chart, &ChartPanel::applyTheme);
    connect(rangePanel, &customcoordinates::RangChang_signal, this, &ChartPage::styleRangeButton);
    styleRangeButton();
    measure = new RangeMeasure(chart, this);
}

ChartPage::~ChartPage() = default;

void ChartPage::toggleView(CurveView view) {
    chart->toggleView(view);
    measure->refresh();
    styleViewButtons();
}

// Lit while any custom range holds an axis, so a flattened curve has a visible reason.
void ChartPage::styleRangeButton() {
    const auto& open = rangePanel->ranges().isOpen;
    const bool any = std::find(open.begin(), open.end(), true) != open.end();
    ui->disp_btn_RangCustom->setStyleSheet(
        QString::fromLatin1(any ? activeViewButton : normalViewButton));
}

void ChartPage::styleViewButtons() {
    const std::pair<QPushButton*, CurveView> buttons[] = {
        {ui->disp_btn_dp_dm, CurveView::DpDm},
        {ui->disp_btn_cc1_cc2, CurveView::Cc},
        {ui->disp_btn_temp, CurveView::Temperature}};
    for (const auto& [button, view] : buttons)
        button->setStyleSheet(QString::fromLatin1(chart->currentView() == view ? activeViewButton
                                                                               : normalViewButton));
}
