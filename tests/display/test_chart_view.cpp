// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixture.h"
#include "ChartView.h"

#include <QtCharts/QChart>
#include <QtTest>

namespace {
constexpr qint64 ms = 1000;
const auto seconds = &TimeRange::ofSeconds;
} // namespace

// Gestures on the chart, sent as the window system would send them.
class ChartViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        chart = std::make_unique<ChartFixture>();
        chart->startRun();
        chart->recordSeconds(11);
        QCOMPARE(chart->panel->timeRange().spanMs(), 11 * ms);
    }
    void cleanup() { chart.reset(); }

    void draggingWithTheLeftButtonPansInTimeOnly() {
        const TimeRange before = chart->panel->timeRange();
        const double plotWidth = plot().width();
        const QPoint start = plot().center().toPoint();
        QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, start);
        move(start + QPoint(int(plotWidth / 4), 37), Qt::LeftButton);
        const TimeRange after = chart->panel->timeRange();
        // A quarter of the plot to the right shows a quarter of the span earlier.
        QVERIFY(qAbs(after.minMs - (before.minMs - before.spanMs() / 4)) <= 20);
        QCOMPARE(after.spanMs(), before.spanMs());
        QCOMPARE(chart->axis(0)->max(), 20.0);
        QVERIFY(view()->followSuspended());
        QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, start);
        move(start, Qt::NoButton);
        QCOMPARE(chart->panel->timeRange(), after);
    }

    void theRightButtonLetsTheChartFollowAgain() {
        wheel(plot().center(), 120);
        QVERIFY(view()->followSuspended());
        chart->record();
        const TimeRange zoomed = chart->panel->timeRange();
        QCOMPARE(zoomed.spanMs() < 11 * ms, true);
        // Holding the right button and moving pans nothing.
        const QPoint start = plot().center().toPoint();
        QTest::mousePress(viewport(), Qt::RightButton, Qt::NoModifier, start);
        move(start + QPoint(100, 0), Qt::RightButton);
        QCOMPARE(chart->panel->timeRange(), zoomed);
        QVERIFY(!view()->followSuspended());
        chart->record();
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 13));
    }

    // With Ctrl held the wheel only stops following; without, it zooms around the cursor.
    void theWheelZoomsAroundTheTimeUnderTheCursor() {
        chart->panel->showWholeRecording(); // [t0, t0 + 11]
        view()->setFollowSuspended(false);
        chart->panel->chartView()
            ->chart()
            ->axes(Qt::Horizontal)
            .first()
            ->setRange(QDateTime::fromSecsSinceEpoch(chart->t0),
                       QDateTime::fromSecsSinceEpoch(chart->t0 + 10));
        QTest::keyPress(viewport(), Qt::Key_Control);
        wheel(plot().center(), 120);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0, chart->t0 + 10));
        QVERIFY(view()->followSuspended());
        QTest::keyRelease(viewport(), Qt::Key_Control);
        wheel(plot().center(), 120);
        QCOMPARE(chart->panel->timeRange(), seconds(chart->t0 + 1, chart->t0 + 8));
        wheel(plot().center(), -120); // out again (the steps themselves: test_time_window)
        QVERIFY(chart->panel->timeRange().spanMs() > 7 * ms);
    }

private:
    ChartView* view() const { return chart->panel->chartView(); }
    QWidget* viewport() const { return view()->viewport(); }
    QRectF plot() const { return chart->panel->chartObject()->plotArea(); }

    void move(const QPoint& to, Qt::MouseButtons held) {
        QMouseEvent event(QEvent::MouseMove, to, Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &event);
    }
    void wheel(const QPointF& at, int delta) {
        QWheelEvent event(at, viewport()->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &event);
    }

    std::unique_ptr<ChartFixture> chart;
};

QTEST_MAIN(ChartViewTest)
#include "test_chart_view.moc"
