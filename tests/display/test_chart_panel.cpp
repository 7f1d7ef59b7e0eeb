// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixture.h"
#include "ChartView.h"
#include "Setting.h"

#include <QSettings>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtTest>

#include <cmath>

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

    // Each curve grows its own axis (how far: test_axis_scale).
    void valueAxesGrowWithTheirOwnCurves() {
        checkRange(chart->axis(0), 0, 20, "0.00V", "20.00V");
        chart->record({{VBUS, 23.4f}, {POWER, 18.2f}});
        checkRange(chart->axis(0), 0, 25, "0.00V", "25.00V");
        QCOMPARE(chart->axis(2)->max(), 20.0); // ceil(1 + 18.2)
        QCOMPARE(chart->axis(1)->max(), 10.0); // IBUS stayed below its top
    }

    void aCustomRangeHoldsItsAxisAndAnUnsoundOneIsIgnored() {
        chart->ranges.isOpen[VBUS] = true;
        chart->ranges.rangeMin[VBUS] = 4.5f;
        chart->ranges.rangeMax[VBUS] = 5.5f;
        chart->panel->applyRanges();
        checkRange(chart->axis(0), 4.5, 5.5, "4.50V", "5.50V");
        chart->record({{VBUS, 30.0f}});
        QCOMPARE(chart->axis(0)->max(), 5.5);
        // Minimum above maximum (refused: test_axis_scale): the axis keeps what it shows.
        chart->ranges.rangeMin[VBUS] = 6.0f;
        chart->panel->applyRanges();
        QCOMPARE(chart->axis(0)->min(), 4.5);
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

    // The windows themselves are test_time_window's: accumulate follows the run unless the
    // user took the axis, scroll follows it whatever the user did.
    void accumulateFollowsTheRunUnlessTheUserTookTheAxis() {
        chart->recordSeconds(11);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 11));
        chart->panel->chartView()->setFollowSuspended(true);
        chart->recordSeconds(3);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 11));
        chart->panel->chartView()->setFollowSuspended(false);
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 15));
    }

    void scrollShowsTheLastSecondsWhateverTheUserDid() {
        chart->panel->setDisplayMode(ChartPanel::Scroll);
        chart->recordSeconds(12);
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

    // A run's first minute with two samples in one second now and then (a timer
    // jittering across a second boundary), or in every second (a file exported twice):
    // on screen the VBUS curve is one unbroken line from its first sample to its last.
    void secondsWithTwoSamplesAreDrawnAsAnUnbrokenLine_data() {
        QTest::addColumn<int>("everyNth"); // every n-th second holds two samples
        QTest::newRow("timer jitter") << 7;
        QTest::newRow("repeated rows") << 1;
    }
    void secondsWithTwoSamplesAreDrawnAsAnUnbrokenLine() {
        QFETCH(int, everyNth);
        const QColor magenta(255, 0, 255);
        chart->styles.setColour(VBUS, magenta);
        chart->styles.setWidthCode(VBUS, 2);
        chart->panel->applyPen(VBUS);
        float volts = 5.0f;
        for (int s = 0; s < 60; ++s) {
            for (int n = s % everyNth == 0 ? 0 : 1; n < 2; ++n) {
                chart->store.append(chart->t0 + s, SampleStore::Values{volts += 0.02f});
                chart->panel->sampleRecorded();
            }
        }
        QtCharts::QChart* c = chart->panel->chartObject();
        QtCharts::QAbstractSeries* vbus = c->series().at(0);
        const auto onScreen = [&](qint64 secs, double v) {
            return chart->panel->view()->mapFromScene(
                c->mapToScene(c->mapToPosition(QPointF(secs * 1000.0, v), vbus)));
        };
        const QPoint first = onScreen(chart->t0, 5.0);
        const QPoint last = onScreen(chart->t0 + 59, volts);
        const QRect plot =
            chart->panel->view()->mapFromScene(c->mapToScene(c->plotArea())).boundingRect();
        QApplication::processEvents();
        const QImage shot = chart->panel->view()->grab().toImage();
        QVERIFY(last.x() - first.x() > 500);
        for (int x = first.x() + 2; x < last.x() - 2; ++x) {
            bool drawn = false;
            for (int y = plot.top(); y < plot.bottom() && !drawn; ++y) {
                const QColor p = shot.pixelColor(x, y);
                drawn = p.red() > 180 && p.blue() > 180 && p.green() < 120;
            }
            QVERIFY2(drawn, qPrintable(QString("no curve at x = %1").arg(x)));
        }
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
            QCOMPARE(qobject_cast<QtCharts::QLineSeries*>(c->series().at(0))->pen(),
                     chart->styles.pen(VBUS));
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
