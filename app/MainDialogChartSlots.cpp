// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's slots: views, ranges, the chart menu and title. Each hands its work to the
// chart page or the chart's files.
#include "MainDialog.h"

#include "ChartFiles.h"
#include "ChartMenu.h"
#include "ChartPage.h"
#include "ChartTitle.h"
#include "RunJournal.h"
#include "ui_MainDialog.h"

#include <QtCharts/QChartView>

void MainDialog::on_disp_btn_dp_dm_clicked() {
    chartPage->toggleView(CurveView::DpDm);
}
void MainDialog::on_disp_btn_cc1_cc2_clicked() {
    chartPage->toggleView(CurveView::Cc);
}
void MainDialog::on_disp_btn_temp_clicked() {
    chartPage->toggleView(CurveView::Temperature);
}
void MainDialog::RangChang_slot() {
    chartPage->panel()->applyRanges();
}
void MainDialog::onAct4Clicked_Slot() {
    chartPage->panel()->setDisplayMode(ChartPanel::Accumulate);
}
void MainDialog::onAct5Clicked_Slot() {
    chartPage->panel()->setDisplayMode(ChartPanel::Scroll);
}

void MainDialog::on_disp_btn_title_clicked() {
    editChartTitle(this, ui->disp_btn_title);
}

void MainDialog::on_disp_btn_menu_clicked() {
    ChartMenu menu(this);
    const std::pair<ChartMenu::Entry, void (MainDialog::*)()> handlers[] = {
        {ChartMenu::ExportData, &MainDialog::onAct1Clicked_Slot},
        {ChartMenu::ExportImage, &MainDialog::onAct2Clicked_Slot},
        {ChartMenu::CurveSettings, &MainDialog::onAct3Clicked_Slot},
        {ChartMenu::Accumulate, &MainDialog::onAct4Clicked_Slot},
        {ChartMenu::Scroll, &MainDialog::onAct5Clicked_Slot},
        {ChartMenu::OpenData, &MainDialog::onOpenDataClicked_Slot},
        {ChartMenu::OpenPrevious, &MainDialog::onOpenPreviousClicked_Slot}};
    for (const auto& [entry, handler] : handlers)
        connect(menu.action(entry), &QAction::triggered, this, handler);
    menu.action(ChartMenu::OpenPrevious)->setEnabled(runJournal->hasPrevious());
    menu.exec(QCursor::pos());
}

void MainDialog::onAct1Clicked_Slot() {
    chartFiles->exportData();
}

void MainDialog::onAct2Clicked_Slot() {
    chartFiles->exportImage(chartPage->panel()->view());
}

void MainDialog::onOpenDataClicked_Slot() {
    chartFiles->openDataFromDialog();
}

void MainDialog::onOpenPreviousClicked_Slot() {
    runJournal->openPrevious();
}

void MainDialog::openRecording(const QString& fileName) {
    chartFiles->openData(fileName);
}
