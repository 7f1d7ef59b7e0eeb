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

    void firstTwoWidthChangesPlaceOnlyTheChart() {
        DashboardHeaderLayout layout;
        auto p = layout.pageResized(980, 800);
        QVERIFY(p.placeChart);
        QCOMPARE(p.chart, QRect(10, 130, 960, 680));
        QVERIFY(!p.placeHeader);
        p = layout.pageResized(990, 800);
        QVERIFY(!p.placeHeader);
        p = layout.pageResized(1010, 800);
        QVERIFY(p.placeHeader);
        // From then on the shortcuts follow the right edge, the title by half the change,
        // truncated.
        const auto moved = [](const QRect& r, int dx) { return r.translated(dx, 0); };
        auto q = layout.pageResized(1003, 800);
        QCOMPARE(q.sysSetButton, moved(p.sysSetButton, -7));
        QCOMPARE(q.sysSetTip, moved(p.sysSetTip, -7));
        QCOMPARE(q.upgradeButton, moved(p.upgradeButton, -7));
        QCOMPARE(q.upgradeTip, moved(p.upgradeTip, -7));
        QCOMPARE(q.title, moved(p.title, -3));
        // The change was consumed: a height-only change leaves the header where it is.
        p = layout.pageResized(1003, 700);
        QCOMPARE(p.sysSetButton, q.sysSetButton);
        QCOMPARE(p.title, q.title);
        QCOMPARE(p.chart, QRect(10, 130, 983, 580));
    }

    void tinyPagesAreNotLaidOut() {
        DashboardHeaderLayout layout;
        const auto p = layout.pageResized(100, 800);
        QVERIFY(!p.placeChart);
        QVERIFY(!layout.pageResized(500, 30).placeChart);
    }
};

QTEST_GUILESS_MAIN(WindowGeometryTest)
#include "test_window_geometry.moc"
