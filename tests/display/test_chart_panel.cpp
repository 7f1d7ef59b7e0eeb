// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixture.h"
#include "ChartView.h"
#include "Setting.h"

#include <QSettings>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtTest>

#include <cmath>

namespace {

const auto seconds = &TimeRange::ofSeconds;

// WCAG contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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

    // How far an axis grows and which custom ranges are sound: test_axis_scale.
    void valueAxesGrowWithTheirCurvesUnlessACustomRangeHoldsThem() {
        chart->record({{VBUS, 23.4f}, {POWER, 18.2f}});
        const QStringList labels = chart->axis(0)->categoriesLabels();
        QCOMPARE(labels.size(), 11); // the old labels are replaced, not added to
        QCOMPARE(labels.last(), QString("25.00V"));
        QCOMPARE(chart->axis(2)->max(), 20.0);
        QCOMPARE(chart->axis(1)->max(), 10.0); // IBUS stayed below its top
        chart->ranges.isOpen[VBUS] = true;
        chart->ranges.rangeMin[VBUS] = 4.5f;
        chart->ranges.rangeMax[VBUS] = 5.5f;
        chart->panel->applyRanges();
        chart->record({{VBUS, 30.0f}});
        QCOMPARE(chart->axis(0)->min(), 4.5);
        QCOMPARE(chart->axis(0)->max(), 5.5);
        chart->ranges.rangeMin[VBUS] = 6.0f; // unsound: the axis keeps what it shows
        chart->panel->applyRanges();
        QCOMPARE(chart->axis(0)->min(), 4.5);
        chart->ranges.isOpen[VBUS] = false;
        chart->panel->applyRanges();
        QCOMPARE(chart->axis(0)->max(), 20.0);
    }

    void viewsShowTheirCurvesWhileHiddenOnesKeepRecording() {
        chart->recordSeconds(4);
        chart->record({{VBUS, 23.4f}});
        QCOMPARE(chart->panel->drawnPoints(PD), 0); // hidden: nothing drawn per tick
        chart->panel->toggleView(CurveView::DpDm);
        QVERIFY(chart->panel->isShown(PD) && chart->panel->isShown(PM));
        QVERIFY(!chart->panel->isShown(VBUS) && !chart->panel->isShown(POWER));
        QVERIFY(chart->panel->drawnPoints(PD) >= 5); // the whole history since the start
        QCOMPARE(chart->axis(1)->max(), 5.0);
        QCOMPARE(chart->panel->toggleView(CurveView::Temperature), CurveView::Temperature);
        QVERIFY(!chart->panel->isShown(PD) && chart->panel->isShown(CPU_TEMP));
        QCOMPARE(chart->axis(0)->categoriesLabels().last(), QStringLiteral("40.0\u2103"));
        // The degree sign is drawn by the labels' font, not left as an empty box.
        QVERIFY(QFontMetrics(chart->axis(0)->labelsFont()).inFont(QChar(0x2103)));
        chart->record();
        QCOMPARE(chart->axis(0)->max(), 101.0); // grown to the temperature peak
        // Pressing the shown view's button returns to the main view with its defaults.
        QCOMPARE(chart->panel->toggleView(CurveView::Temperature), CurveView::Main);
        QVERIFY(chart->panel->isShown(VBUS) && !chart->panel->isShown(CPU_TEMP));
        QCOMPARE(chart->axis(0)->max(), 20.0);
        QCOMPARE(chart->axis(2)->max(), 10.0);
        chart->record();
        QCOMPARE(chart->axis(0)->max(), 25.0); // the VBUS peak grows it again
    }

    // The windows themselves are test_time_window's: accumulate follows the run unless the
    // user took the axis, scroll follows it whatever the user did.
    void theTimeAxisFollowsTheRunAsItsModeSays() {
        chart->recordSeconds(11);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 11));
        chart->panel->chartView()->setFollowSuspended(true);
        chart->recordSeconds(3);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 11));
        chart->panel->setDisplayMode(ChartPanel::Scroll);
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0 + 5, chart->t0 + 15));
        chart->panel->setDisplayMode(ChartPanel::Accumulate);
        chart->panel->chartView()->setFollowSuspended(false);
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 16));
    }

    void pensAndThemeKeepTheChosenColoursOnCurvesAndAxes() {
        chart->styles.setColour(VBUS, Qt::red);
        chart->panel->applyPen(VBUS);
        QCOMPARE(vbusSeries()->pen().color(), QColor(Qt::red));
        chart->panel->applyTheme(2); // Dark
        QCOMPARE(chart->panel->chartObject()->theme(), QtCharts::QChart::ChartThemeDark);
        QCOMPARE(chart->axis(0)->linePenColor(), QColor(Qt::red));
        QVERIFY(QFontMetrics(chart->axis(0)->labelsFont()).inFont(QChar(0x2103)));
        chart->panel->applyTheme(9); // no such theme: nothing changes
        QCOMPARE(chart->panel->chartObject()->theme(), QtCharts::QChart::ChartThemeDark);
    }

    void aWeekIsDrawnWithAboutOnePointPerPixelOfTheCurrentWidth() {
        for (int i = 0; i < 7 * 86400; ++i) {
            SampleStore::Values values;
            values.fill(5.0f + float(i % 977) / 100.0f);
            chart->store.append(chart->t0 + i, values);
        }
        chart->panel->showWholeRecording();
        QCOMPARE(chart->panel->timeAxisFormat(), QString("MM-dd hh:mm"));
        QCOMPARE(chart->axis(2)->max(), 16.0); // the opened recording's peak, 14.76 W
        const int wide = chart->panel->drawnPoints(VBUS);
        QVERIFY(wide <= chart->panel->chartObject()->plotArea().width() + 2);
        QVERIFY(wide >= chart->panel->chartObject()->plotArea().width() / 2);
        chart->window.resize(600, 400);
        QTRY_VERIFY_WITH_TIMEOUT(chart->panel->drawnPoints(VBUS) < wide * 2 / 3, 10000);
        QVERIFY(chart->panel->drawnPoints(VBUS) <=
                chart->panel->chartObject()->plotArea().width() + 2);
    }

    // Scroll mode shows "now" for a live run; an opened recording keeps its range.
    void anOpenedRecordingShowsItsPausesAsGapsAndKeepsItsRange() {
        chart->panel->setDisplayMode(ChartPanel::Scroll);
        for (int i = 0; i < 600; ++i)
            chart->store.append(chart->t0 + i, SampleStore::Values{5, 1, 5});
        for (int i = 0; i < 600; ++i)
            chart->store.append(chart->t0 + 3600 + i, SampleStore::Values{9, 2, 18});
        chart->panel->showWholeRecording();
        const TimeRange whole = chart->panel->timeRange();
        QCOMPARE(whole, seconds(chart->t0, chart->t0 + 4200));
        QVERIFY(chart->panel->chartView()->followSuspended());
        QCOMPARE(chart->panel->drawnSegments(VBUS), 2);
        QCOMPARE(chart->axis(2)->max(), 19.0);
        // Only the first piece of a curve stands in the legend, whatever the theme.
        QCOMPARE(visibleLegendMarkers(), 3);
        chart->panel->applyTheme(4);
        QCOMPARE(visibleLegendMarkers(), 3);
        chart->panel->toggleView(CurveView::DpDm);
        QCOMPARE(chart->panel->drawnSegments(PD), 2);
        chart->panel->toggleView(CurveView::DpDm);
        QCOMPARE(chart->panel->timeRange(), whole);
    }

    // Two samples in one second now and then (a timer jittering across a second boundary)
    // or in every second (a file exported twice): drawn live, the VBUS curve is one line of
    // finite points (how they are smoothed: test_curve_reduction).
    void secondsWithTwoSamplesAreDrawnAsAnUnbrokenLine_data() {
        QTest::addColumn<int>("everyNth"); // every n-th second holds two samples
        QTest::newRow("timer jitter") << 7;
        QTest::newRow("repeated rows") << 1;
    }
    void secondsWithTwoSamplesAreDrawnAsAnUnbrokenLine() {
        QFETCH(int, everyNth);
        for (int s = 0; s < 60; ++s) {
            for (int n = s % everyNth == 0 ? 0 : 1; n < 2; ++n) {
                const float volts = 5.0f + 0.02f * float(chart->store.size());
                chart->store.append(chart->t0 + s, SampleStore::Values{volts});
                chart->panel->sampleRecorded();
            }
        }
        QCOMPARE(chart->panel->drawnSegments(VBUS), 1);
        const QVector<QPointF> points = vbusSeries()->pointsVector();
        QVERIFY(points.size() > chart->store.size()); // smoothed
        for (const QPointF& p : points)
            QVERIFY2(std::isfinite(p.y()), qPrintable(QString::number(p.x())));
    }

    // Without a settings file every channel has a colour of its own, 1.5 px wide, that
    // stands out from the plot on every theme; the chart casts its shadow; and only the
    // user's own choice (here the theme) reaches the settings file.
    void outOfTheBoxCurvesAreDistinctAndReadableOnEveryTheme() {
        QSet<QRgb> colours;
        for (int k = 0; k < recordedChannelCount; ++k) {
            colours.insert(chart->styles.pen(k).color().rgb());
            QCOMPARE(chart->styles.pen(k).widthF(), 1.5);
        }
        QCOMPARE(colours.size(), recordedChannelCount);
        QtCharts::QChart* c = chart->panel->chartObject();
        QVERIFY(c->isDropShadowEnabled());
        for (int theme = 0; theme < 7; ++theme) {
            chart->styles.setTheme(theme);
            chart->panel->applyTheme(theme);
            QVERIFY(c->isDropShadowEnabled());
            QCOMPARE(vbusSeries()->pen(), chart->styles.pen(VBUS));
            QApplication::processEvents();
            const QImage shot = chart->panel->view()->grab().toImage();
            const QPointF inPlot = c->plotArea().topLeft() + QPointF(c->plotArea().width() / 2,
                                                                     c->plotArea().height() * 0.45);
            const QColor background =
                shot.pixelColor(chart->panel->view()->mapFromScene(c->mapToScene(inPlot)));
            for (int k = 0; k < recordedChannelCount; ++k)
                QVERIFY2(contrast(chart->styles.pen(k).color(), background) >= 3.0,
                         qPrintable(QString("theme %1 channel %2 on %3")
                                        .arg(theme)
                                        .arg(k)
                                        .arg(background.name())));
        }
        QCOMPARE(QSettings(Setting::filePath(), QSettings::IniFormat).allKeys(),
                 QStringList{"ChartTheme"});
    }

private:
    // The main view's first series.
    QtCharts::QLineSeries* vbusSeries() const {
        return qobject_cast<QtCharts::QLineSeries*>(chart->panel->chartObject()->series().at(0));
    }
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
