#include "ChartFixture.h"
#include "ChartView.h"

#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtTest>

using QtCharts::QCategoryAxis;

namespace {

const auto seconds = &TimeRange::ofSeconds;

const QString celsius = QStringLiteral("\u2103");

void checkRange(QCategoryAxis* axis, double min, double max, const QString& first,
                const QString& last) {
    QCOMPARE(axis->min(), min);
    QCOMPARE(axis->max(), max);
    const QStringList labels = axis->categoriesLabels();
    QCOMPARE(labels.size(), 11);
    QCOMPARE(labels.first(), first);
    QCOMPARE(labels.last(), last);
}

} // namespace

class ChartPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        chart = std::make_unique<ChartFixture>();
        chart->startRun();
    }
    void cleanup() { chart.reset(); }

    void valueAxesGrowToTheNextWholeUnitAboveThePeakAndNeverShrink() {
        checkRange(chart->axis(0), 0, 20, "0.00V", "20.00V");
        chart->record({{VBUS, 23.4f}, {POWER, 18.2f}});
        checkRange(chart->axis(0), 0, 25, "0.00V", "25.00V");
        QCOMPARE(chart->axis(2)->max(), 20.0); // ceil(1 + 18.2)
        QCOMPARE(chart->axis(1)->max(), 10.0); // IBUS stayed below its top
        // Lower values, and the non-numbers test_axis_scale checks, leave the axes alone.
        chart->record({{VBUS, 21.0f}});
        QCOMPARE(chart->axis(0)->max(), 25.0);
    }

    void aCustomRangeHoldsItsAxisAndAnUnsoundOneIsIgnored() {
        chart->ranges.isOpen[VBUS] = true;
        chart->ranges.rangeMin[VBUS] = 4.5f;
        chart->ranges.rangeMax[VBUS] = 5.5f;
        chart->panel->applyRanges();
        checkRange(chart->axis(0), 4.5, 5.5, "4.50V", "5.50V");
        chart->record({{VBUS, 30.0f}});
        QCOMPARE(chart->axis(0)->max(), 5.5);
        // Minimum above maximum: the axis keeps what it shows.
        chart->ranges.rangeMin[VBUS] = 6.0f;
        chart->panel->applyRanges();
        QCOMPARE(chart->axis(0)->min(), 4.5);
        // An unsound range does not hold the axis against growth either.
        chart->record({{VBUS, 31.0f}});
        checkRange(chart->axis(0), 0, 32, "0.00V", "32.00V");
        // Switched off: back to the default range of the view.
        chart->ranges.isOpen[VBUS] = false;
        chart->panel->applyRanges();
        checkRange(chart->axis(0), 0, 20, "0.00V", "20.00V");
    }

    void theTemperatureViewOpensAtFortyAndGrowsToItsPeakOnTheNextTick() {
        chart->record({{CPU_TEMP, 36.5f}});
        QCOMPARE(chart->panel->toggleView(CurveView::Temperature), CurveView::Temperature);
        checkRange(chart->axis(0), 0, 40, "0.0" + celsius, "40.0" + celsius);
        chart->record({{CPU_TEMP, 36.5f}});
        checkRange(chart->axis(0), 0, 101, "0.0" + celsius, "101.0" + celsius);
        // The degree sign is drawn by the labels' font, not left as an empty box.
        QVERIFY(QFontMetrics(chart->axis(0)->labelsFont()).inFont(QChar(0x2103)));
    }

    void viewsShowTheirCurvesWhileHiddenOnesKeepRecording() {
        chart->recordSeconds(4);
        chart->record({{VBUS, 23.4f}});
        QVERIFY(chart->panel->isShown(VBUS));
        QVERIFY(!chart->panel->isShown(PD));
        QCOMPARE(chart->panel->drawnPoints(PD), 0); // hidden: nothing drawn per tick
        chart->panel->toggleView(CurveView::DpDm);
        QVERIFY(chart->panel->isShown(PD) && chart->panel->isShown(PM));
        QVERIFY(!chart->panel->isShown(VBUS) && !chart->panel->isShown(POWER));
        QVERIFY(chart->panel->drawnPoints(PD) >= 5); // the whole history since the start
        checkRange(chart->axis(1), 0, 5, "0.00V", "5.00V");
        chart->panel->toggleView(CurveView::Cc);
        QVERIFY(!chart->panel->isShown(PD) && chart->panel->isShown(CC2));
        // Pressing the shown view's button returns to the main view with its defaults.
        chart->panel->toggleView(CurveView::Cc);
        QCOMPARE(chart->panel->currentView(), CurveView::Main);
        QVERIFY(chart->panel->isShown(VBUS) && !chart->panel->isShown(CC1));
        checkRange(chart->axis(0), 0, 20, "0.00V", "20.00V");
        checkRange(chart->axis(2), 0, 10, "0.00W", "10.00W");
        chart->record();
        QCOMPARE(chart->axis(0)->max(), 25.0); // the VBUS peak grows it again
    }

    void accumulateFollowsTheRunAfterTenPointsUnlessTheUserTookTheAxis() {
        chart->recordSeconds(10);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 10));
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 11));
        chart->recordSeconds(5);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 16));
        chart->panel->chartView()->setFollowSuspended(true);
        chart->recordSeconds(3);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 16));
        chart->panel->chartView()->setFollowSuspended(false);
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 20));
    }

    void scrollShowsTheLastSecondsWhateverTheUserDid() {
        chart->panel->setDisplayMode(ChartPanel::Scroll);
        chart->recordSeconds(11);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 10));
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0 + 2, chart->t0 + 12));
        chart->panel->chartView()->setFollowSuspended(true);
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0 + 3, chart->t0 + 13));
    }

    // Scroll mode shows "now" for a live run; an opened recording keeps its range.
    void switchingViewsKeepsAnOpenedRecordingsRangeInScrollMode() {
        chart->panel->setDisplayMode(ChartPanel::Scroll);
        for (int i = 0; i < 600; ++i)
            chart->store.append(chart->t0 + i, SampleStore::Values{5, 1, 5});
        chart->panel->showWholeRecording();
        const TimeRange whole = chart->panel->timeRange();
        QCOMPARE(whole, seconds(chart->t0, chart->t0 + 600));
        chart->panel->toggleView(CurveView::Temperature);
        chart->panel->toggleView(CurveView::Temperature);
        QCOMPARE(chart->panel->timeRange(), whole);
    }

    void pensAndThemeKeepTheChosenColoursOnCurvesAndAxes() {
        chart->styles.setColour(VBUS, Qt::red);
        chart->styles.setWidthCode(IBUS, 4);
        chart->panel->applyPen(VBUS);
        chart->panel->applyPen(IBUS);
        auto* vbus =
            qobject_cast<QtCharts::QLineSeries*>(chart->panel->chartObject()->series().at(0));
        QCOMPARE(vbus->pen().color(), QColor(Qt::red));
        QCOMPARE(chart->axis(0)->linePenColor(), QColor(Qt::red));
        chart->panel->applyTheme(2); // Dark
        QCOMPARE(chart->panel->chartObject()->theme(), QtCharts::QChart::ChartThemeDark);
        QCOMPARE(vbus->pen().color(), QColor(Qt::red));
        QCOMPARE(chart->axis(0)->linePenColor(), QColor(Qt::red));
        auto* ibus =
            qobject_cast<QtCharts::QLineSeries*>(chart->panel->chartObject()->series().at(1));
        QCOMPARE(ibus->pen().widthF(), 2.5);
        QVERIFY(QFontMetrics(chart->axis(0)->labelsFont()).inFont(QChar(0x2103)));
        chart->panel->applyTheme(9); // no such theme: nothing changes
        QCOMPARE(chart->panel->chartObject()->theme(), QtCharts::QChart::ChartThemeDark);
    }

    void aWeekIsDrawnWithAboutOnePointPerPixel() {
        for (int i = 0; i < 7 * 86400; ++i) {
            SampleStore::Values values;
            values.fill(5.0f + float(i % 977) / 100.0f);
            chart->store.append(chart->t0 + i, values);
        }
        chart->panel->showWholeRecording();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 7 * 86400));
        QCOMPARE(chart->panel->timeAxisFormat(), QString("MM-dd hh:mm"));
        const double width = chart->panel->chartObject()->plotArea().width();
        QVERIFY(chart->panel->drawnPoints(VBUS) <= width + 2);
        QVERIFY(chart->panel->drawnPoints(VBUS) >= width / 2);
        // The peak of the opened recording grows its axis: 14.76 V -> [0, 16].
        QCOMPARE(chart->axis(0)->max(), 20.0);
        QCOMPARE(chart->axis(2)->max(), 16.0);
        QVERIFY(chart->panel->chartView()->followSuspended());
    }

    void aResizedPlotIsDrawnForItsNewWidth() {
        for (int i = 0; i < 86400; ++i)
            chart->store.append(chart->t0 + i, SampleStore::Values{float(i % 13)});
        chart->panel->showWholeRecording();
        const int wide = chart->panel->drawnPoints(VBUS);
        chart->window.resize(600, 400);
        QTRY_VERIFY_WITH_TIMEOUT(chart->panel->drawnPoints(VBUS) < wide * 2 / 3, 10000);
        QVERIFY(chart->panel->drawnPoints(VBUS) <=
                chart->panel->chartObject()->plotArea().width() + 2);
    }

    void pausesInAnOpenedRecordingAreDrawnAsGaps() {
        for (int i = 0; i < 600; ++i)
            chart->store.append(chart->t0 + i, SampleStore::Values{5, 1, 5});
        for (int i = 0; i < 600; ++i)
            chart->store.append(chart->t0 + 3600 + i, SampleStore::Values{9, 2, 18});
        chart->panel->showWholeRecording();
        QCOMPARE(chart->panel->drawnSegments(VBUS), 2);
        QCOMPARE(chart->axis(2)->max(), 19.0);
        // Only the first piece of a curve stands in the legend, whatever the theme.
        QCOMPARE(visibleLegendMarkers(), 3);
        chart->panel->applyTheme(4);
        QCOMPARE(visibleLegendMarkers(), 3);
        chart->panel->toggleView(CurveView::DpDm);
        QCOMPARE(chart->panel->drawnSegments(PD), 2);
    }

private:
    int visibleLegendMarkers() const {
        QApplication::processEvents();
        int markers = 0;
        for (auto* marker : chart->panel->chartObject()->legend()->markers())
            markers += marker->isVisible() ? 1 : 0;
        return markers;
    }

    std::unique_ptr<ChartFixture> chart;
};

QTEST_MAIN(ChartPanelTest)
#include "test_chart_panel.moc"
