// The tips bar's permission-denied note: a meter that is listed but whose device node
// refuses us is reported once per plug-in, in the current language.
#include "MeterFixture.h"
#include "USBThread.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QString formTips = QStringLiteral("Tips:Hello!");

QString tipsText(const MeterFixture& f) {
    return f.widget<QLabel>("label_left_tips")->text();
}

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
    void refusedMeterIsReportedOncePerPlugIn() {
        MeterFixture f;
        const int meter = sim::plug();
        sim::setOpenRefused(meter, true);
        MainDialog& d = f.open();
        QVERIFY(tipsText(f).startsWith(QStringLiteral("无权打开电表")));
        QVERIFY(tipsText(f).contains(QStringLiteral("70-usb-meter.rules")));
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
    }

    void grantedAccessConnectsAndGivesTheTipsBarBack() {
        MeterFixture f;
        const int meter = sim::plug();
        sim::setOpenRefused(meter, true);
        f.open();
        QVERIFY(tipsText(f) != formTips);
        sim::setOpenRefused(meter, false);
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        QCOMPARE(f.cardText("label_connect_type"), QString("连接"));
        QCOMPARE(tipsText(f), formTips);
    }

    void meterThatOpensOrIsMissingGetsNoHint() {
        MeterFixture f;
        MainDialog& d = f.open();
        QSignalSpy reports(d.linkThread(), &USBThread::usb_access_denied);
        waitForMoreOpenAttempts(2);
        const int meter = sim::plug();
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        sim::unplug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
        sim::replug(meter);
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        QCOMPARE(reports.count(), 0);
        QCOMPARE(tipsText(f), formTips);
    }

    void hintFollowsALanguageSwitch() {
        MeterFixture f;
        const int meter = sim::plug();
        sim::setOpenRefused(meter, true);
        MainDialog& d = f.open();
        QMetaObject::invokeMethod(&d, "onS_Act2Clicked_Slot");
        QVERIFY(tipsText(f).startsWith(QStringLiteral("Permission denied opening the meter")));
        QVERIFY(tipsText(f).contains(QStringLiteral("70-usb-meter.rules")));
        sim::setOpenRefused(meter, false);
        QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
        QCOMPARE(tipsText(f), formTips);
    }
};

QTEST_MAIN(AccessHintTest)
#include "test_access_hint.moc"
