// The main dialog's chart menu and title: each slot hands the work to the chart's pages.
#include "MainDialog.h"

#include "ChartFiles.h"
#include "ChartMenu.h"
#include "ChartPanel.h"
#include "ChartTitle.h"
#include "ui_MainDialog.h"

void MainDialog::on_disp_btn_title_clicked() {
    editChartTitle(this, ui->disp_btn_title);
}

void MainDialog::on_disp_btn_menu_clicked() {
    ChartMenu menu(this);
    connect(menu.action(ChartMenu::ExportData), &QAction::triggered, this,
            &MainDialog::onAct1Clicked_Slot);
    connect(menu.action(ChartMenu::ExportImage), &QAction::triggered, this,
            &MainDialog::onAct2Clicked_Slot);
    connect(menu.action(ChartMenu::OpenData), &QAction::triggered, this,
            &MainDialog::onOpenDataClicked_Slot);
    menu.exec(QCursor::pos());
}

void MainDialog::onAct1Clicked_Slot() {
    chartFiles->exportData();
}

void MainDialog::onAct2Clicked_Slot() {
    chartFiles->exportImage(chartPanel->view());
}

void MainDialog::onOpenDataClicked_Slot() {
    chartFiles->openDataFromDialog();
}

void MainDialog::openRecording(const QString& fileName) {
    chartFiles->openData(fileName);
}
