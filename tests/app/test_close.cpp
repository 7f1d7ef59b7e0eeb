// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterFixture.h"
#include "USBThread.h"

#include <QPushButton>
#include <QtTest>

// Whatever road closes the window, the link thread is stopped and joined first; stray keys
// close nothing and press nothing.
class CloseTest : public QObject {
    Q_OBJECT
private slots:
    void closingRoadsStopTheLinkThread_data() {
        QTest::addColumn<bool>("titleBar");
        QTest::addColumn<bool>("meter");
        QTest::newRow("window manager close") << false << true;
        QTest::newRow("title-bar close button") << true << true;
        QTest::newRow("no meter") << false << false;
    }
    // Escape first: it would end the program with an unexported recording.
    void closingRoadsStopTheLinkThread() {
        QFETCH(bool, titleBar);
        QFETCH(bool, meter);
        MeterFixture f;
        if (meter)
            sim::plug();
        MainDialog& d = f.open();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(f.running(), meter);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QVERIFY(d.linkThread()->isRunning());
        QCOMPARE(f.running(), meter);
        if (titleBar)
            f.widget<QAbstractButton>("btnMenu_Close")->click();
        else
            QVERIFY(d.close());
        QVERIFY(d.linkThread()->isFinished());
        QVERIFY(!d.isVisible());
    }

    // After a click on factory reset, Enter anywhere must not send it again.
    void enterNeverRepeatsTheLastButtonClicked() {
        MeterFixture f;
        sim::Identity id;
        id.product = L"USB X1 V1"; // the full settings page
        const int meter = sim::plug(id);
        MainDialog& d = f.open();
        d.show();
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        f.stopTimers(); // no poll in between
        f.widget<QAbstractButton>("disp_btnSysSet")->click();
        auto* reset = f.widget<QAbstractButton>("settings_btn_factory_reset");
        sim::clearWrittenReports(meter);
        QTest::mouseClick(reset, Qt::LeftButton);
        QVERIFY(reset->hasFocus());
        QCOMPARE(sim::writtenReports(meter).size(), size_t(1));
        sim::clearWrittenReports(meter);
        for (QWidget* target : {static_cast<QWidget*>(reset), static_cast<QWidget*>(&d)}) {
            QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
        }
        QVERIFY(sim::writtenReports(meter).empty());
    }
};

QTEST_MAIN(CloseTest)
#include "test_close.moc"
