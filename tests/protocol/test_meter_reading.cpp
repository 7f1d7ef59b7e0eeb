// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterReading.h"
#include "ReadingFields.h"

#include <QByteArray>
#include <QTest>

#include <climits>
#include <cstring>
#include <utility>

using ReadingFields::distinctReading;
using ReadingFields::firstDifferentField;

namespace {

// Reports are written out as hex here, independent of the decoder's layout table.
// 64 bytes: `hex` from byte 0 (spaces ignored), then zeros.
QByteArray report(const QByteArray& hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    return bytes + QByteArray(64 - bytes.size(), '\0');
}

// Little-endian millionths: 5 V, 0.1 A, 0.5 W, 0.6 V, 0.55 V, 1.7 V, 1 mV, 36.5 and 25.25 C;
// direction 2.
const QByteArray measurement =
    report("aa406205 00000000 404b4c00 a0860100 20a10700 c0270900 70640800 a0f01900 e8030000"
           "20f22c02 d0488101 00000000 00000000 00000000 00000000 02");
const float measuredValues[] = {5.0f, 0.1f, 0.5f, 0.6f, 0.55f, 1.7f, 0.001f, 36.5f, 25.25f};

// Bytes 1, 7, 3, 30, 2, 1; floats 1.0, 1.234, 0.5, 0.01 as big-endian bit patterns; EE FF.
const QByteArray settings =
    report("aa0540 0000000000 01 07 03 1e 02 01 0000 3f800000 3f9df3b6 3f000000 3c23d70a")
        .left(62) +
    QByteArray::fromHex("eeff");

const unsigned char* bytesOf(const QByteArray& report) {
    return report.isNull() ? nullptr : reinterpret_cast<const unsigned char*>(report.constData());
}

MeterReading decoded(const QByteArray& report) {
    MeterReading reading;
    bool pending = false;
    decodeReportInto(reading, pending, bytesOf(report), report.size());
    return reading;
}

quint32 bitsOf(float value) {
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

enum Kind { unrecognised, measurementReport, settingsReport };

QByteArray withByte(QByteArray report, int offset, unsigned char value) {
    report[offset] = char(value);
    return report;
}

} // namespace

class ReportDecodingTest : public QObject {
    Q_OBJECT

private slots:
    // Runs first: nothing in this process has decoded into the shared reading yet.
    void processWideReadingStartsZeroedThenTakesTheSettingsReport() {
        QCOMPARE(firstDifferentField(currentReading(), MeterReading{}), QString());
        QCOMPARE(settingsReportPending, false);

        decodeReport(bytesOf(settings), settings.size());
        QCOMPARE(settingsReportPending, true);
        const MeterReading reading = currentReading();
        QCOMPARE(reading.language, quint8(1));
        QCOMPARE(reading.workBrightness, quint8(7));
        QCOMPARE(reading.standbyBrightness, quint8(3));
        QCOMPARE(reading.standbyTime, quint8(30));
        QCOMPARE(reading.standbyStyle, quint8(2));
        QCOMPARE(reading.rotationSwitch, quint8(1));
        QCOMPARE(reading.voltCalFactor, 1.0f);
        QCOMPARE(bitsOf(reading.currCalFactor), bitsOf(1.234f));
        QCOMPARE(reading.tempCalFactor, 0.5f);
        QCOMPARE(bitsOf(reading.minCurrent), bitsOf(0.01f));
    }

    void measurementReportSetsChannelsInDecoderOrder() {
        const MeterReading reading = decoded(measurement);
        const float named[] = {reading.vbus, reading.ibus,    reading.power,
                               reading.dp,   reading.dm,      reading.cc1,
                               reading.cc2,  reading.cpuTemp, reading.ntcTemp};
        for (int k = 0; k < decodedChannelCount; ++k) {
            QCOMPARE(named[k], measuredValues[k]);
            QCOMPARE(reading.channel(k), measuredValues[k]);
        }
        for (int k = 0; k < recordedChannelCount; ++k)
            QCOMPARE(reading.recordedChannels()[k], measuredValues[k]);
        for (const int k : {-1, decodedChannelCount, INT_MAX, INT_MIN})
            QCOMPARE(reading.channel(k), 0.0f);
        QCOMPARE(reading.currentDir, quint8(2));
    }

    // 123 456 789 millionths: dividing in single precision would land one float off.
    // All ones: the count is unsigned.
    void countsAreUnsignedAndDividedInDouble() {
        for (const auto& [count, value] :
             {std::pair{"15cd5b07", 123.456789f}, std::pair{"ffffffff", 4294.967295f}}) {
            const MeterReading reading =
                decoded(report("aa406205 00000000" + QByteArray(count).repeated(9)));
            for (int k = 0; k < decodedChannelCount; ++k)
                QCOMPARE(bitsOf(reading.channel(k)), bitsOf(value));
        }
    }

    // Whatever the reading held and whether a settings report was pending: a recognised report
    // writes all of its own fields and no other, only a settings report raises the pending
    // flag, only a measurement is one, and anything else changes nothing. Each row changes
    // one marker byte; reads of every length are the decode fuzz target's.
    void decodeChangesOnlyTheFieldsOfARecognisedReport_data() {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("kind");
        const auto row = [](const char* name, const QByteArray& report, Kind kind = unrecognised) {
            QTest::newRow(name) << report << int(kind);
        };
        row("measurement", measurement, measurementReport);
        row("settings", settings, settingsReport);
        row("measurement, byte 0 is 0xAB", withByte(measurement, 0, 0xAB));
        row("measurement, byte 2 is 0x63", withByte(measurement, 2, 0x63));
        row("measurement, byte 3 is 0x06", withByte(measurement, 3, 0x06));
        row("settings, byte 63 is 0xFE", withByte(settings, 63, 0xFE));
        row("settings, byte 62 is 0xEF", withByte(settings, 62, 0xEF));
        row("settings, byte 2 is 0x41", withByte(settings, 2, 0x41));
        row("settings, byte 0 is 0x00", withByte(settings, 0, 0x00));
        row("byte 1 is neither kind", withByte(settings, 1, 0x41));
        row("all zero", QByteArray(64, '\0'));
    }

    void decodeChangesOnlyTheFieldsOfARecognisedReport() {
        QFETCH(QByteArray, report);
        const int length = report.size();
        QFETCH(int, kind);
        for (const bool pendingBefore : {false, true}) {
            MeterReading expected = distinctReading();
            if (kind != unrecognised)
                ReadingFields::copyOwnFields(decoded(report), expected, kind == settingsReport);
            MeterReading reading = distinctReading();
            bool pending = pendingBefore;
            decodeReportInto(reading, pending, bytesOf(report), length);
            QCOMPARE(firstDifferentField(reading, expected), QString());
            QCOMPARE(pending, pendingBefore || kind == settingsReport);
        }
        // Only a measurement carries readings worth recording.
        QCOMPARE(isMeasurementReport(bytesOf(report), length), kind == measurementReport);
    }
};

QTEST_APPLESS_MAIN(ReportDecodingTest)
#include "test_meter_reading.moc"
