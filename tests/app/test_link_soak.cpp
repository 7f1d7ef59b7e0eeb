#include "MeterFixture.h"

#include <QtTest>

// Many unplug/replug cycles with acquisition running: the recording must only ever grow
// and every handle must be released.
class LinkSoakTest : public QObject {
    Q_OBJECT
private slots:
    void twoHundredCableGlitchesLoseNothingAndLeakNoHandle() {
        constexpr int cycles = 200;
        MeterFixture f;
        const int meter = sim::plug();
        f.open();
        QVERIFY(f.running());
        int lastSize = 0;
        for (int i = 0; i < cycles; ++i) {
            sim::unplug(meter);
            QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
            QVERIFY(f.logSize() >= lastSize);
            lastSize = f.logSize();
            sim::replug(meter);
            QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
            QCOMPARE(f.cardCount(), 1);
            QVERIFY(f.logSize() >= lastSize);
            QCOMPARE(sim::openHandleCount(meter), 2);
        }
        QTRY_VERIFY_WITH_TIMEOUT(f.logSize() > lastSize, MeterFixture::linkTimeoutMs);
        f.dialog.reset();
        QCOMPARE(sim::totalOpenHandles(), 0);
    }
};

QTEST_MAIN(LinkSoakTest)
#include "test_link_soak.moc"
