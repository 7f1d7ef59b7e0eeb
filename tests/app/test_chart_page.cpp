// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPage.h"
#include "CurveStyleTable.h"
#include "ScopedWorkDir.h"
#include "customcoordinates.h"
#include "ui_MainDialog.h"

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtCharts/QCategoryAxis>
#include <QtTest>

// The three view buttons on a bare form: the button of the view shown is lit.
class ChartPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        form = std::make_unique<QDialog>();
        ui = std::make_unique<Ui::MainDialog>();
        ui->setupUi(form.get());
        page = new ChartPage(ui.get(), form.get(), form.get());
    }
    void cleanup() {
        ui.reset();
        form.reset();
        workDir.reset();
    }

    void onlyTheButtonOfTheShownViewIsLit() {
        page->toggleView(CurveView::DpDm);
        QCOMPARE(litButtons(), QStringList{"disp_btn_dp_dm"});
        QVERIFY(page->panel()->isShown(PD));
        page->toggleView(CurveView::Cc);
        QCOMPARE(litButtons(), QStringList{"disp_btn_cc1_cc2"});
        page->toggleView(CurveView::Temperature);
        QCOMPARE(litButtons(), QStringList{"disp_btn_temp"});
        page->toggleView(CurveView::Temperature);
        QCOMPARE(litButtons(), QStringList());
        QCOMPARE(page->panel()->currentView(), CurveView::Main);
    }

    // The style table's and the range panel's changes reach the chart the page holds.
    void theChartDrawsWithThePagesRangesAndStyles() {
        page->curveStyles()->setColour(POWER, Qt::blue);
        emit page->styleTable()->penChanged(POWER);
        QCOMPARE(page->panel()->valueAxis(2)->linePenColor(), QColor(Qt::blue));

        customcoordinates* panel = page->axisPanel();
        QSignalSpy announced(panel, &customcoordinates::RangChang_signal);
        enterValue(panel, "edit_IBUS_Min", "0.50");
        enterValue(panel, "edit_IBUS_Max", "1.50");
        QTest::mouseClick(panel->findChild<QPushButton*>("btn_IBUS"), Qt::LeftButton);
        QCOMPARE(announced.count(), 1);
        page->panel()->applyRanges();
        QCOMPARE(page->panel()->valueAxis(1)->min(), 0.5);
        QCOMPARE(page->panel()->valueAxis(1)->max(), 1.5);
    }

private:
    static void enterValue(QWidget* panel, const char* edit, const QString& text) {
        auto* field = panel->findChild<QLineEdit*>(edit);
        QVERIFY2(field, edit);
        field->setText(text);
        emit field->editingFinished();
    }

    // A lit button writes its text yellow and has a green border at rest.
    QStringList litButtons() const {
        QStringList lit;
        for (const QPushButton* button :
             {ui->disp_btn_dp_dm, ui->disp_btn_cc1_cc2, ui->disp_btn_temp}) {
            const QString rest = button->styleSheet().section(QLatin1String(":hover"), 0, 0);
            if (rest.contains("rgb(255, 255, 0)") && rest.contains("groove green"))
                lit << button->objectName();
        }
        return lit;
    }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<QDialog> form;
    std::unique_ptr<Ui::MainDialog> ui;
    ChartPage* page = nullptr;
};

QTEST_MAIN(ChartPageTest)
#include "test_chart_page.moc"
