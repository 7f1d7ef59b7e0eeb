// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardHeaderLayout.h"
#include "WindowChrome.h"

#include <QtTest>

using namespace WindowChrome;

namespace {
// A window at its minimum size, 1232 x 900.
const QRect frame(QPoint(100, 50), QPoint(1331, 949));
} // namespace

class WindowGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void edgeBandsAreTwoPixelsWideWithCornersFirst_data() {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("region");
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
        QTest::newRow("outside") << QPoint(99, 500) << int(Inside);
    }
    void edgeBandsAreTwoPixelsWideWithCornersFirst() {
        QFETCH(QPoint, pos);
        QFETCH(int, region);
        QCOMPARE(int(edgeRegion(frame, pos)), region);
    }

    // Left and top edges move only while the window stays above its minimum size; the
    // bottom-right corner stops one pixel short of the cursor.
    void draggedEdgesKeepTheMinimumSize_data() {
        QTest::addColumn<int>("region");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QRect>("resized");
        QTest::newRow("left inward") << int(Left) << QPoint(150, 400) << frame;
        QTest::newRow("left outward")
            << int(Left) << QPoint(60, 400) << QRect(QPoint(60, 50), frame.bottomRight());
        QTest::newRow("top to the minimum") << int(Top) << QPoint(500, 49) << frame;
        QTest::newRow("top outward")
            << int(Top) << QPoint(500, 48) << QRect(QPoint(100, 48), frame.bottomRight());
        QTest::newRow("bottom-right")
            << int(BottomRight) << QPoint(1500, 1000) << QRect(frame.topLeft(), QPoint(1499, 999));
    }
    void draggedEdgesKeepTheMinimumSize() {
        QFETCH(int, region);
        QFETCH(QPoint, cursor);
        QFETCH(QRect, resized);
        QCOMPARE(resizedFrame(Region(region), frame, cursor, frame.size()), resized);
    }

    void maximiseThenRestoreReturnsToTheGeometryBeforeMaximising() {
        MaximiseToggle toggle;
        const QRect screen(0, 0, 1920, 1040);
        QCOMPARE(toggle.toggle(frame, screen), screen);
        QCOMPARE(toggle.toggle(screen, screen), frame);
        // The window moved while normal: the next maximise saves the moved geometry.
        const QRect moved(300, 80, 1232, 900);
        QCOMPARE(toggle.toggle(moved, screen), screen);
        QCOMPARE(toggle.toggle(screen, screen), moved);
    }

    void tinyPagesAreNotLaidOut() {
        QVERIFY(DashboardHeaderLayout::chartArea(100, 800).isNull());
        QVERIFY(DashboardHeaderLayout::chartArea(500, 30).isNull());
    }
};

QTEST_GUILESS_MAIN(WindowGeometryTest)
#include "test_window_geometry.moc"
