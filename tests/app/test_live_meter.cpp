// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterFixture.h"

#include <QSlider>
#include <QtTest>

namespace {

// Frames of one command code written since the last clear.
QList<QByteArray> framesOf(int meter, quint8 code) {
    QList<QByteArray> frames;
    for (const sim::Report& r : sim::writtenReports(meter)) {
        if (r[0] == 0x55 && r[1] == 0x05 && r[3] == code)
            frames << QByteArray(reinterpret_cast<const char*>(r.data()), r[2]);
    }
    return frames;
}

} // namespace

class LiveMeterTest : public QObject {
    Q_OBJECT
private slots:
    // The ticks are run by hand: each sample tick sends one poll, and a read tick takes
    // every answer queued since, showing the latest.
    void eachSampleTickPollsAndTheNextReadTickShowsTheAnswer() {
        MeterFixture f;
        sim::MeterState state;
        state.channels[0] = 5.1;
        const int meter = sim::plug(sim::Identity(), state);
        f.open();
        f.stopTimers();
        sim::clearWrittenReports(meter);
        f.tick("sampleTimer");
        QCOMPARE(MeterFixture::pollsWritten(meter), 1);
        f.tick("readTimer");
        QCOMPARE(f.widget<QLabel>("disp_label_VOLT")->text(), QString("5.100000"));
        for (double volts : {7.0, 12.345}) {
            state.channels[0] = volts;
            sim::setState(meter, state);
            f.tick("sampleTimer");
        }
        QCOMPARE(MeterFixture::pollsWritten(meter), 3);
        f.tick("readTimer");
        QCOMPARE(f.widget<QLabel>("disp_label_VOLT")->text(), QString("12.34500"));
        f.tick("readTimer"); // nothing left queued: the reading stays
        QCOMPARE(f.widget<QLabel>("disp_label_VOLT")->text(), QString("12.34500"));
    }

    // The page shows what the meter reports, echoing back only the values its sliders had
    // to move for; what the user changes on it reaches the meter.
    void settingsPageShowsTheMeterAndSendsItOnlyChanges() {
        MeterFixture f;
        sim::Identity id;
        id.product = L"USB X1 V1";
        sim::MeterState state;       // work brightness 5: its slider starts at 1
        state.standbyTime = 60;      // slider starts at 60: equal
        state.standbyBrightness = 0; // equal
        state.minCurrent = 0.02f;
        const int meter = sim::plug(id, state);
        f.open();
        sim::clearWrittenReports(meter);
        f.widget<QAbstractButton>("disp_btnSysSet")->click();
        QTRY_COMPARE_WITH_TIMEOUT(f.widget<QSlider>("settings_slider_worklight")->value(), 5,
                                  MeterFixture::linkTimeoutMs);
        QCOMPARE(framesOf(meter, 0x22),
                 QList<QByteArray>{QByteArray::fromHex("55050A2200000005EEFF")});
        QVERIFY(framesOf(meter, 0x24).isEmpty());
        QVERIFY(framesOf(meter, 0x23).isEmpty());
        QVERIFY(f.widget<QWidget>("settings_btn_20ma")->styleSheet().contains("rgb(0, 170, 0)"));
        sim::clearWrittenReports(meter);
        auto* standtime = f.widget<QSlider>("settings_slider_standtime");
        standtime->setValue(29);
        standtime->setValue(28);
        QCOMPARE(framesOf(meter, 0x24),
                 (QList<QByteArray>{QByteArray::fromHex("55050A240000001DEEFF"),
                                    QByteArray::fromHex("55050A240000001CEEFF")}));
        f.widget<QAbstractButton>("settings_btn_style3")->click();
        QVERIFY(f.widget<QWidget>("settings_btn_style3")->styleSheet().contains("rgb(0, 170, 0)"));
        f.widget<QAbstractButton>("settings_btn_EN")->click();
        f.widget<QAbstractButton>("settings_btn_10ma")->click();
        f.widget<QSlider>("settings_slider_voltcali")->setValue(1234);
        const sim::MeterState s = sim::state(meter);
        QCOMPARE(int(s.standbyTime), 28);
        QCOMPARE(int(s.standbyStyle), 3);
        QCOMPARE(int(s.language), 1);
        QCOMPARE(s.minCurrent, 0.01f);
        QCOMPARE(s.voltCalFactor, 1.234f);
        QCOMPARE(f.widget<QLabel>("settings_lab_califact_voltvalue")->text(), QString("1.234"));
        QCOMPARE(f.widget<QLabel>("settings_label_standtime")->text(), QString("28"));
    }
};

QTEST_MAIN(LiveMeterTest)
#include "test_live_meter.moc"
