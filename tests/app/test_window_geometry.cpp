// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardHeaderLayout.h"
#include "WindowChrome.h"

#include <QtTest>

using namespace WindowChrome;

class WindowGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void edgeBandsAreTwoPixelsWideWithCornersFirst_data() {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("region");
        // Frame from (100, 50) to (1331, 949): 1232 x 900.
        QTest::newRow("top-left corner") << QPoint(100, 50) << int(TopLeft);
        QTest::newRow("top-left inner pixel") << QPoint(101, 51) << int(TopLeft);
        QTest::newRow("bottom-left") << QPoint(101, 948) << int(BottomLeft);
        QTest::newRow("bottom-right") << QPoint(1331, 949) << int(BottomRight);
        QTest::newRow("top-right") << QPoint(1330, 50) << int(TopRight);
        QTest::newRow("left band") << QPoint(101, 500) << int(Left);
        QTest::newRow("just inside left band") << QPoint(102, 500) << int(Inside);
        QTest::newRow("right band") << QPoint(1330, 500) << int(Right);
        QTest::newRow("top band") << QPoint(700, 51) << int(Top);
        QTest::newRow("bottom band") << QPoint(700, 948) << int(Bottom);
        QTest::newRow("inside") << QPoint(700, 500) << int(Inside);
        QTest::newRow("outside") << QPoint(99, 500) << int(Inside);
    }
    void edgeBandsAreTwoPixelsWideWithCornersFirst() {
        QFETCH(QPoint, pos);
        QFETCH(int, region);
        const QRect frame(QPoint(100, 50), QPoint(1331, 949));
        QCOMPARE(int(edgeRegion(frame, pos)), region);
    }

    void leftEdgeAtMinimumWidthOnlyMovesOutward() {
        const QSize minimum(1232, 900);
        const QRect frame(QPoint(100, 50), QPoint(1331, 949));
        // Dragging right would shrink below the minimum: the left edge stays.
        QCOMPARE(resizedFrame(Left, frame, QPoint(150, 400), minimum), frame);
        // Dragging left widens the window and the edge follows the cursor.
        const QRect wider = resizedFrame(Left, frame, QPoint(60, 400), minimum);
        QCOMPARE(wider.left(), 60);
        QCOMPARE(wider.right(), 1331);
    }

    void topEdgeKeepsTheMinimumHeight() {
        const QSize minimum(1232, 900);
        const QRect frame(QPoint(100, 50), QPoint(1331, 949));
        QCOMPARE(resizedFrame(Top, frame, QPoint(500, 49), minimum), frame); // 949-49 = 900
        QCOMPARE(resizedFrame(Top, frame, QPoint(500, 48), minimum).top(), 48);
    }

    void bottomRightCornerStopsOnePixelShortOfTheCursor() {
        const QRect frame(QPoint(100, 50), QPoint(1331, 949));
        const QRect r = resizedFrame(BottomRight, frame, QPoint(1500, 1000), QSize(1232, 900));
        QCOMPARE(r.bottomRight(), QPoint(1499, 999));
        QCOMPARE(r.topLeft(), frame.topLeft());
    }

    void maximiseThenRestoreReturnsToTheGeometryBeforeMaximising() {
        MaximiseToggle toggle;
        const QRect screen(0, 0, 1920, 1040);
        const QRect start(100, 50, 1232, 900);
        QCOMPARE(toggle.toggle(start, screen), screen);
        QVERIFY(toggle.isMaximised());
        QCOMPARE(toggle.toggle(screen, screen), start);
        QVERIFY(!toggle.isMaximised());
        // The window moved while normal: the next maximise saves the moved geometry.
        const QRect moved(300, 80, 1232, 900);
        QCOMPARE(toggle.toggle(moved, screen), screen);
        QCOMPARE(toggle.toggle(screen, screen), moved);
    }

    void headerKeepsItsDistanceFromTheChartsRightEdge_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("normal") << 980;
        QTest::newRow("wider") << 1011;
        QTest::newRow("maximised") << 1666;
        QTest::newRow("narrower") << 900;
    }
    void headerKeepsItsDistanceFromTheChartsRightEdge() {
        QFETCH(int, width);
        using L = DashboardHeaderLayout;
        const QRect chart = L::chartArea(width, 800);
        QCOMPARE(chart, QRect(10, 130, width - 20, 680));
        const QRect menu(944, 100, 26, 26); // flush with the chart's right edge
        QCOMPARE(L::placed(menu, L::Anchor::RightEdge, width).right(), chart.right());
        const QRect run(910, 48, 48, 48);
        QCOMPARE(chart.right() - L::placed(run, L::Anchor::RightEdge, width).right(), 12);
        const QRect title(310, 0, 411, 31);
        QCOMPARE(L::placed(title, L::Anchor::Middle, width).x(), 310 + (width - 980) / 2);
    }

    void tinyPagesAreNotLaidOut() {
        QVERIFY(DashboardHeaderLayout::chartArea(100, 800).isNull());
        QVERIFY(DashboardHeaderLayout::chartArea(500, 30).isNull());
    }
};

QTEST_GUILESS_MAIN(WindowGeometryTest)
#include "test_window_geometry.moc"
