// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnvNumber.h"
#include "MeterFixture.h"
#include "MeterReading.h"
#include "USBThread.h"

#include <QtTest>

#include <random>

// Unplug/replug cycles with acquisition running, with glitches both shorter and longer
// than the link's probe: the recording must only ever grow and stay one run, nothing is
// recorded while the meter is away, no command sent then reaches it, the card says where the
// meter is, and every handle is released. The test drives the dialog's timers, so only the link
// thread runs on its own clock. The default run is short; `make test-long` sets the cycles, and a
// failing seed can be replayed.
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
        f.stopTimers();
        QObject counter;
        int connects = 0;
        connect(f.dialog->linkThread(), &USBThread::usb_connect, &counter, [&] { ++connects; });
        // One simulated second: the meter reports, the dialog reads it and records.
        QDateTime now = QDateTime::currentDateTime();
        Acquisition* acquisition = f.dialog->findChild<Acquisition*>();
        QVERIFY(acquisition);
        const auto recordOneSecond = [&] {
            sim::sendInput(meter, sim::measurementReport(sim::state(meter)));
            f.tick("readTimer");
            now = now.addSecs(1);
            acquisition->recordSample(now, currentReading());
        };
        recordOneSecond();
        QCOMPARE(f.logSize(), 1);
        const qint64 runStart = f.dialog->acquisition()->log().timeAt(0);
        for (int i = 0; i < cycles; ++i) {
            const int moreSamples = std::uniform_int_distribution<int>(0, 1)(random);
            const bool briefGlitch = std::bernoulli_distribution(0.5)(random);
            const int lastSize = f.logSize();
            for (int s = 0; s < moreSamples; ++s)
                recordOneSecond();
            QCOMPARE(f.logSize(), lastSize + moreSamples);
            sim::unplug(meter);
            if (!briefGlitch) {
                QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
                QCOMPARE(f.cardText("label_connect_type"), QString("错误"));
                f.tick("sampleTimer");
                QCOMPARE(f.logSize(), lastSize + moreSamples);
                // A command to the absent meter is dropped without a message, never replayed.
                sim::clearWrittenReports(meter);
                f.widget<QAbstractButton>("settings_btn_EN")->click();
                QVERIFY(!QApplication::activeModalWidget());
            }
            sim::replug(meter);
            QTRY_VERIFY_WITH_TIMEOUT(connects == i + 1 && f.running(), MeterFixture::linkTimeoutMs);
            QCOMPARE(f.cardCount(), 1);
            QCOMPARE(f.cardText("label_connect_type"), QString("连接"));
            QCOMPARE(sim::openHandleCount(meter), 2);
            QVERIFY(sim::writtenReports(meter).empty());
            QCOMPARE(f.dialog->acquisition()->log().timeAt(0), runStart);
        }
        const int lastSize = f.logSize();
        recordOneSecond();
        QCOMPARE(f.logSize(), lastSize + 1);
        f.dialog.reset();
        QCOMPARE(sim::totalOpenHandles(), 0);
        QCOMPARE(sim::closedHandleUses(), 0);
    }
};

QTEST_MAIN(LinkSoakTest)
#include "test_link_soak.moc"
