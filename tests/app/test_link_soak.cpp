#include "EnvNumber.h"
#include "MeterFixture.h"
#include "USBThread.h"

#include <QtTest>

#include <random>

// Unplug/replug cycles with acquisition running, at random points of the 1 s tick and
// with glitches both shorter and longer than the link's probe: the recording must only
// ever grow and stay one run, and every handle must be released. The default run is
// short; `make test-long` sets the cycles, and a failing seed can be replayed.
class LinkSoakTest : public QObject {
    Q_OBJECT
private slots:
    void cableGlitchesLoseNothingAndLeakNoHandle() {
        const int cycles = envNumber("LINK_SOAK_CYCLES", 20);
        const auto seed =
            static_cast<unsigned>(envNumber("LINK_SOAK_SEED", int(std::random_device()() >> 1)));
        qInfo("%d cycles, seed %u (replay with LINK_SOAK_SEED=%u)", cycles, seed, seed);
        std::mt19937 random(seed);
        MeterFixture f;
        const int meter = sim::plug();
        f.open();
        QObject counter;
        int connects = 0;
        connect(f.dialog->linkThread(), &USBThread::usb_connect, &counter, [&] { ++connects; });
        QTRY_VERIFY_WITH_TIMEOUT(f.logSize() > 0, MeterFixture::linkTimeoutMs);
        const qint64 runStart = f.dialog->acquisition()->log().timeAt(0);
        int lastSize = f.logSize();
        for (int i = 0; i < cycles; ++i) {
            const int moreSamples = std::uniform_int_distribution<int>(0, 1)(random);
            const bool briefGlitch = std::bernoulli_distribution(0.5)(random);
            QTRY_VERIFY_WITH_TIMEOUT(f.logSize() >= lastSize + moreSamples,
                                     MeterFixture::linkTimeoutMs);
            sim::unplug(meter);
            if (!briefGlitch)
                QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
            QVERIFY(f.logSize() >= lastSize);
            lastSize = f.logSize();
            sim::replug(meter);
            QTRY_VERIFY_WITH_TIMEOUT(connects == i + 1 && f.running(), MeterFixture::linkTimeoutMs);
            QCOMPARE(f.cardCount(), 1);
            QCOMPARE(sim::openHandleCount(meter), 2);
            QCOMPARE(f.dialog->acquisition()->log().timeAt(0), runStart);
        }
        QTRY_VERIFY_WITH_TIMEOUT(f.logSize() > lastSize, MeterFixture::linkTimeoutMs);
        f.dialog.reset();
        QCOMPARE(sim::totalOpenHandles(), 0);
        QCOMPARE(sim::closedHandleUses(), 0);
    }
};

QTEST_MAIN(LinkSoakTest)
#include "test_link_soak.moc"
