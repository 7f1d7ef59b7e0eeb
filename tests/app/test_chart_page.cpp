#include "ChartPage.h"
#include "ScopedWorkDir.h"
#include "ui_MainDialog.h"

#include <QDialog>
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
        page = new ChartPage(ui.get(), form.get());
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

    void theChartDrawsWithThePagesRangesAndStyles() {
        page->curveStyles()->setColour(POWER, Qt::blue);
        page->panel()->applyPen(POWER);
        QCOMPARE(page->panel()->valueAxis(2)->linePenColor(), QColor(Qt::blue));
        page->customRanges()->isOpen[IBUS] = true;
        page->customRanges()->rangeMin[IBUS] = 0.5f;
        page->customRanges()->rangeMax[IBUS] = 1.5f;
        page->panel()->applyRanges();
        QCOMPARE(page->panel()->valueAxis(1)->min(), 0.5);
    }

private:
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
