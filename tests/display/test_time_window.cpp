// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeWindow.h"

#include <QTest>

#include <cmath>

using namespace TimeWindow;

namespace {

const auto seconds = &TimeRange::ofSeconds;
constexpr qint64 T = 1709647620; // whole seconds
} // namespace

class TimeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void accumulateKeepsTheStartWindowForTenPointsThenShowsTheWholeRun() {
        QVERIFY(!accumulateWindow(10, false, T, T + 9));
        QCOMPARE(accumulateWindow(11, false, T, T + 10).value(), seconds(T, T + 11));
        QCOMPARE(accumulateWindow(3600, false, T, T + 3599).value(), seconds(T, T + 3600));
        QVERIFY(!accumulateWindow(3600, true, T, T + 3599));
    }

    void scrollShowsTheLastNineSecondsOnceTheStartWindowIsLeft() {
        QVERIFY(!scrollWindow(T + 10, T + 10));
        QCOMPARE(scrollWindow(T + 10, T + 11).value(), seconds(T + 2, T + 12));
    }

    void zoomingInAroundTheMiddleDividesEachSideByOneAndAHalf() {
        QCOMPARE(zoomed(seconds(T, T + 10), 0.5, true), seconds(T + 1, T + 8));
        QCOMPARE(zoomed(seconds(T, T + 10), 0.5, false), seconds(T - 3, T + 12));
        // Milliseconds of the axis ends are dropped first.
        const TimeRange ragged{T * msPerSecond + 400, (T + 10) * msPerSecond + 900};
        QCOMPARE(zoomed(ragged, 0.5, true), seconds(T + 1, T + 8));
        // A cursor outside the plot zooms around the middle or the nearest edge.
        QCOMPARE(zoomed(seconds(T, T + 10), std::nan(""), true), seconds(T + 1, T + 8));
        QCOMPARE(zoomed(seconds(T, T + 10), 7.0, false), zoomed(seconds(T, T + 10), 1.0, false));
    }

    void zoomingEndsAtATwoSecondWindowAndAtTheEpoch() {
        TimeRange range = seconds(T, T + 86400);
        for (int step = 0; step < 60; ++step) {
            range = zoomed(range, 0.37, true);
            QVERIFY(range.spanMs() >= narrowestZoomSeconds * msPerSecond);
        }
        QCOMPARE(range.spanMs(), narrowestZoomSeconds * msPerSecond);
        // Near an edge the window jumps to two seconds around the cursor at once.
        QCOMPARE(zoomed(seconds(T, T + 100), 0.005, true), seconds(T - 1, T + 1));
        QCOMPARE(zoomed(seconds(T, T + 100), 1.0, true), seconds(T + 99, T + 101));
        // Zooming far out stops at the epoch instead of wrapping around.
        range = seconds(100, 200);
        for (int step = 0; step < 80; ++step)
            range = zoomed(range, 0.5, false);
        QCOMPARE(range.minMs, 0);
        QVERIFY(range.maxMs > range.minMs);
    }

    void panningFollowsTheMouseAcrossThePlot() {
        // Dragging a quarter of the plot to the right shows a quarter of the span earlier.
        QCOMPARE(panned(seconds(T, T + 100), 250, 1000), seconds(T - 25, T + 75));
        QCOMPARE(panned(seconds(T, T + 100), -500, 1000), seconds(T + 50, T + 150));
        QCOMPARE(panned(seconds(T, T + 100), 10, 0), seconds(T, T + 100));
    }

    void labelsShowTheDateOnceTheRangeSpansMoreThanADay() {
        QCOMPARE(labelFormat(seconds(T, T + 10)), QString("hh:mm:ss"));
        QCOMPARE(labelFormat(seconds(T, T + 86400)), QString("hh:mm:ss"));
        QCOMPARE(labelFormat(seconds(T, T + 86401)), QString("MM-dd hh:mm"));
        QCOMPARE(labelFormat(seconds(T, T + 7 * 86400)), QString("MM-dd hh:mm"));
    }
};

QTEST_APPLESS_MAIN(TimeWindowTest)
#include "test_time_window.moc"
