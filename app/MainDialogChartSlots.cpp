// The chart's slots: each hands its work to the chart page.
#include "MainDialog.h"

#include "ChartPage.h"

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
