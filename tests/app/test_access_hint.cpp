// SPDX-License-Identifier: GPL-3.0-or-later
// The tips bar's permission-denied note: a meter that is listed but whose device node
// refuses us is reported once per plug-in, in the current language.
#include "MeterFixture.h"
#include "USBThread.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// The link thread lists the meters every 500 ms while it has none open, and opens the
// one it finds; an unplugged meter is listed no more, so count the listings.
void waitForMoreOpenAttempts(int count) {
    const size_t target = sim::enumerationTimes().size() + size_t(count);
    QTRY_VERIFY_WITH_TIMEOUT(sim::enumerationTimes().size() >= target, MeterFixture::linkTimeoutMs);
}

} // namespace

class AccessHintTest : public QObject {
    Q_OBJECT
private slots:
    // The hint in the current language, gone once access is granted and not back when the
    // meter that opens is replugged; a missing meter is no refusal.
    void refusedMeterIsReportedOncePerPlugIn_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Chinese") << false << QStringLiteral("无权打开电表");
        QTest::newRow("English") << true << QStringLiteral("Permission denied opening the meter");
    }
    void refusedMeterIsReportedOncePerPlugIn() {
        QFETCH(bool, english);
        QFETCH(QString, hint);
        MeterFixture f;
        const int meter = sim::plug();
        sim::setOpenRefused(meter, true);
        MainDialog& d = f.open();
        const QLabel* tips = f.widget<QLabel>("label_left_tips");
        if (english)
            QMetaObject::invokeMethod(&d, "onS_Act2Clicked_Slot");
        QVERIFY2(tips->text().startsWith(hint), qPrintable(tips->text()));
        QVERIFY(tips->text().contains(QStringLiteral("70-usb-meter.rules")));
        QCOMPARE(f.cardCount(), 0);
        QSignalSpy reports(d.linkThread(), &USBThread::usb_access_denied);
        waitForMoreOpenAttempts(3);
        QCOMPARE(reports.count(), 0);
        sim::unplug(meter);
        waitForMoreOpenAttempts(2);
        sim::replug(meter);
        QTRY_COMPARE_WITH_TIMEOUT(reports.count(), 1, MeterFixture::linkTimeoutMs);
        waitForMoreOpenAttempts(3);
        QCOMPARE(reports.count(), 1);

        sim::setOpenRefused(meter, false);
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        QCOMPARE(f.cardCount(), 1);
        QCOMPARE(tips->text(), QString("Tips:Hello!"));
        sim::unplug(meter);
        waitForMoreOpenAttempts(2);
        sim::replug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        QCOMPARE(reports.count(), 1);
        QCOMPARE(tips->text(), QString("Tips:Hello!"));
    }
};

QTEST_MAIN(AccessHintTest)
#include "test_access_hint.moc"
