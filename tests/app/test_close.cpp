#include "MeterFixture.h"
#include "USBThread.h"

#include <QtTest>

// Whatever road closes the window, the link thread is stopped and joined first.
class CloseTest : public QObject {
    Q_OBJECT
private slots:
    void closingRoadsStopTheLinkThread_data() {
        QTest::addColumn<int>("road");
        QTest::newRow("escape key") << 0;
        QTest::newRow("window manager close") << 1;
        QTest::newRow("title-bar close button") << 2;
    }
    void closingRoadsStopTheLinkThread() {
        QFETCH(int, road);
        MeterFixture f;
        sim::plug();
        MainDialog& d = f.open();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.linkThread()->isRunning());
        if (road == 0)
            QTest::keyClick(&d, Qt::Key_Escape);
        else if (road == 1)
            QVERIFY(d.close());
        else
            f.widget<QAbstractButton>("btnMenu_Close")->click();
        QVERIFY(d.linkThread()->isFinished());
        QVERIFY(!d.isVisible());
    }

    void closingWithoutAMeterIsImmediate() {
        MeterFixture f;
        MainDialog& d = f.open();
        d.show();
        QVERIFY(d.close());
        QVERIFY(d.linkThread()->isFinished());
    }

    void destroyingTheDialogReleasesEveryHandle() {
        MeterFixture f;
        sim::plug();
        f.open();
        QCOMPARE(sim::totalOpenHandles(), 2);
        f.dialog.reset();
        QCOMPARE(sim::totalOpenHandles(), 0);
    }
};

QTEST_MAIN(CloseTest)
#include "test_close.moc"
