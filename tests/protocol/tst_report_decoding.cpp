#include "MeterReading.h"
#include "ReadingFields.h"

#include <QByteArray>
#include <QTest>

#include <climits>
#include <cstring>
#include <initializer_list>

using ReadingFields::distinctReading;
using ReadingFields::firstDifferentField;

namespace {

// Reports are written out byte by byte here, independent of the decoder's layout table.
void put(QByteArray& report, int offset, std::initializer_list<unsigned char> bytes) {
    for (const unsigned char byte : bytes)
        report[offset++] = char(byte);
}

QByteArray measurementReport() {
    QByteArray report(64, '\0');
    put(report, 0, {0xAA, 0x40, 0x62, 0x05});
    return report;
}

QByteArray settingsReport() {
    QByteArray report(64, '\0');
    put(report, 0, {0xAA, 0x05, 0x40});
    put(report, 62, {0xEE, 0xFF});
    return report;
}

QByteArray withByte(QByteArray report, int offset, unsigned char value) {
    report[offset] = char(value);
    return report;
}

const unsigned char* bytesOf(const QByteArray& report) {
    return reinterpret_cast<const unsigned char*>(report.constData());
}

void decode(MeterReading& reading, bool& pending, const QByteArray& report) {
    decodeReportInto(reading, pending, bytesOf(report), report.size());
}

quint32 bitsOf(float value) {
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

class ReportDecodingTest : public QObject {
    Q_OBJECT

private slots:
    // Runs first: nothing in this process has decoded into the shared reading yet.
    void processWideReadingStartsZeroedWithNothingPending() {
        QCOMPARE(firstDifferentField(currentReading(), MeterReading{}), QString());
        QCOMPARE(settingsReportPending, false);
    }

    void measurementReportSetsNineChannelsFromLittleEndianMillionths() {
        QByteArray report = measurementReport();
        put(report, 8, {0x40, 0x4B, 0x4C, 0x00});  // 5 000 000
        put(report, 12, {0xA0, 0x86, 0x01, 0x00}); // 100 000
        put(report, 16, {0x20, 0xA1, 0x07, 0x00}); // 500 000
        put(report, 20, {0xC0, 0x27, 0x09, 0x00}); // 600 000
        put(report, 24, {0x70, 0x64, 0x08, 0x00}); // 550 000
        put(report, 28, {0xA0, 0xF0, 0x19, 0x00}); // 1 700 000
        put(report, 32, {0xE8, 0x03, 0x00, 0x00}); // 1 000
        put(report, 36, {0x20, 0xF2, 0x2C, 0x02}); // 36 500 000
        put(report, 40, {0xD0, 0x48, 0x81, 0x01}); // 25 250 000
        put(report, 60, {0x01});

        MeterReading reading;
        bool pending = false;
        decode(reading, pending, report);

        QCOMPARE(reading.vbus, 5.0f);
        QCOMPARE(reading.ibus, 0.1f);
        QCOMPARE(reading.power, 0.5f);
        QCOMPARE(reading.dp, 0.6f);
        QCOMPARE(reading.dm, 0.55f);
        QCOMPARE(reading.cc1, 1.7f);
        QCOMPARE(reading.cc2, 0.001f);
        QCOMPARE(reading.cpuTemp, 36.5f);
        QCOMPARE(reading.ntcTemp, 25.25f);
        QCOMPARE(reading.currentDir, quint8(1));
        QCOMPARE(pending, false);
    }

    // 123 456 789 millionths: dividing in single precision would land one float off.
    void countIsDividedBeforeRoundingToFloat() {
        QByteArray report = measurementReport();
        put(report, 8, {0x15, 0xCD, 0x5B, 0x07});

        MeterReading reading;
        bool pending = false;
        decode(reading, pending, report);

        QCOMPARE(bitsOf(reading.vbus), bitsOf(123.456789f));
    }

    void allOnesMeasurementReportGivesLargestCountAndDirection255() {
        QByteArray report(64, char(0xFF));
        put(report, 0, {0xAA, 0x40, 0x62, 0x05});

        MeterReading reading;
        bool pending = false;
        decode(reading, pending, report);

        for (int k = 0; k < decodedChannelCount; ++k)
            QCOMPARE(reading.channel(k), 4294.967295f);
        QCOMPARE(reading.currentDir, quint8(255));
    }

    void measurementReportLeavesSettingsFieldsAndPendingFlag() {
        QByteArray report = measurementReport();
        put(report, 8, {0x40, 0x4B, 0x4C, 0x00});
        put(report, 60, {0x02});

        MeterReading reading = distinctReading();
        bool pending = true;
        decode(reading, pending, report);

        MeterReading expected = distinctReading();
        expected.vbus = 5.0f;
        expected.ibus = expected.power = expected.dp = expected.dm = 0.0f;
        expected.cc1 = expected.cc2 = expected.cpuTemp = expected.ntcTemp = 0.0f;
        expected.currentDir = 2;
        QCOMPARE(firstDifferentField(reading, expected), QString());
        QCOMPARE(pending, true);
    }

    void settingsReportSetsBytesAndBigEndianFloats() {
        QByteArray report = settingsReport();
        put(report, 8, {0x01, 0x07, 0x03, 0x1E, 0x02, 0x01});
        put(report, 16, {0x3F, 0x80, 0x00, 0x00});
        put(report, 20, {0x3F, 0x9D, 0xF3, 0xB6});
        put(report, 24, {0x3F, 0x00, 0x00, 0x00});
        put(report, 28, {0x3C, 0x23, 0xD7, 0x0A});

        MeterReading reading;
        bool pending = false;
        decode(reading, pending, report);

        QCOMPARE(pending, true);
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

    void settingsFloatsAreTakenByBitPattern_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<quint32>("bits");
        QTest::newRow("one") << QByteArray::fromHex("3F800000") << quint32(0x3F800000);
        QTest::newRow("minus one") << QByteArray::fromHex("BF800000") << quint32(0xBF800000);
        QTest::newRow("smallest subnormal") << QByteArray::fromHex("00000001") << quint32(1);
        QTest::newRow("quiet NaN") << QByteArray::fromHex("7FC00001") << quint32(0x7FC00001);
        QTest::newRow("infinity") << QByteArray::fromHex("7F800000") << quint32(0x7F800000);
    }

    void settingsFloatsAreTakenByBitPattern() {
        QFETCH(QByteArray, bytes);
        QFETCH(quint32, bits);
        for (const int offset : {16, 20, 24, 28}) {
            QByteArray report = settingsReport();
            report.replace(offset, bytes.size(), bytes);
            MeterReading reading;
            bool pending = false;
            decode(reading, pending, report);
            const float values[] = {reading.voltCalFactor, reading.currCalFactor,
                                    reading.tempCalFactor, reading.minCurrent};
            for (int i = 0; i < 4; ++i)
                QCOMPARE(bitsOf(values[i]), 16 + 4 * i == offset ? bits : 0u);
        }
    }

    void settingsReportLeavesMeasurementFields() {
        QByteArray report = settingsReport();
        put(report, 8, {0x00, 0x05, 0x02, 0x3C, 0x03, 0x00});
        put(report, 16, {0x40, 0x00, 0x00, 0x00});
        put(report, 20, {0x3F, 0x00, 0x00, 0x00});
        put(report, 24, {0x3F, 0x80, 0x00, 0x00});
        put(report, 28, {0x3C, 0xA3, 0xD7, 0x0A});

        MeterReading reading = distinctReading();
        bool pending = false;
        decode(reading, pending, report);

        MeterReading expected = distinctReading();
        expected.language = 0;
        expected.workBrightness = 5;
        expected.standbyBrightness = 2;
        expected.standbyTime = 60;
        expected.standbyStyle = 3;
        expected.rotationSwitch = 0;
        expected.voltCalFactor = 2.0f;
        expected.currCalFactor = 0.5f;
        expected.tempCalFactor = 1.0f;
        expected.minCurrent = 0.02f;
        QCOMPARE(firstDifferentField(reading, expected), QString());
        QCOMPARE(pending, true);
    }

    void unrecognisedReportChangesNothing_data() {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("pendingBefore");

        const QByteArray measurement = measurementReport();
        const QByteArray settings = settingsReport();
        QTest::newRow("measurement, byte 3 is 0x06")
            << withByte(measurement, 3, 0x06) << 64 << false;
        QTest::newRow("measurement, byte 2 is 0x63")
            << withByte(measurement, 2, 0x63) << 64 << false;
        QTest::newRow("measurement, byte 0 is 0xAB")
            << withByte(measurement, 0, 0xAB) << 64 << false;
        QTest::newRow("measurement, 63 bytes read") << measurement.left(63) << 63 << false;
        QTest::newRow("measurement, 65 bytes") << measurement + QByteArray(1, '\0') << 65 << false;
        QTest::newRow("measurement, 0 bytes read") << measurement << 0 << false;
        QTest::newRow("measurement, read error") << measurement << -1 << false;
        QTest::newRow("measurement, most negative length") << measurement << INT_MIN << true;
        QTest::newRow("settings, byte 63 is 0xFE, nothing pending")
            << withByte(settings, 63, 0xFE) << 64 << false;
        QTest::newRow("settings, byte 63 is 0xFE, report pending")
            << withByte(settings, 63, 0xFE) << 64 << true;
        QTest::newRow("settings, byte 62 is 0xEF") << withByte(settings, 62, 0xEF) << 64 << false;
        QTest::newRow("settings, byte 2 is 0x41") << withByte(settings, 2, 0x41) << 64 << false;
        QTest::newRow("settings, byte 0 is 0x00") << withByte(settings, 0, 0x00) << 64 << false;
        QTest::newRow("settings, 63 bytes read") << settings.left(63) << 63 << false;
        QTest::newRow("byte 1 is neither kind") << withByte(settings, 1, 0x41) << 64 << false;
        QTest::newRow("all zero") << QByteArray(64, '\0') << 64 << false;
    }

    void unrecognisedReportChangesNothing() {
        QFETCH(QByteArray, report);
        QFETCH(int, length);
        QFETCH(bool, pendingBefore);

        MeterReading reading = distinctReading();
        bool pending = pendingBefore;
        decodeReportInto(reading, pending, bytesOf(report), length);

        QCOMPARE(firstDifferentField(reading, distinctReading()), QString());
        QCOMPARE(pending, pendingBefore);
    }

    void nullBufferChangesNothing() {
        MeterReading reading = distinctReading();
        bool pending = false;
        decodeReportInto(reading, pending, nullptr, 64);
        QCOMPARE(firstDifferentField(reading, distinctReading()), QString());
        QCOMPARE(pending, false);
    }

    void decodeReportUpdatesProcessWideReadingAndFlag() {
        currentReading() = MeterReading{};
        settingsReportPending = false;

        QByteArray measurement = measurementReport();
        put(measurement, 8, {0x40, 0x4B, 0x4C, 0x00});
        decodeReport(bytesOf(measurement), measurement.size());
        QCOMPARE(currentReading().vbus, 5.0f);
        QCOMPARE(settingsReportPending, false);

        QByteArray settings = settingsReport();
        put(settings, 16, {0x3F, 0x80, 0x00, 0x00});
        decodeReport(bytesOf(settings), settings.size());
        QCOMPARE(settingsReportPending, true);
        QCOMPARE(currentReading().voltCalFactor, 1.0f);
        QCOMPARE(currentReading().vbus, 5.0f);
    }

    void channelIndexFollowsDecoderOrder() {
        const MeterReading reading = distinctReading();
        QCOMPARE(reading.channel(VBUS), reading.vbus);
        QCOMPARE(reading.channel(IBUS), reading.ibus);
        QCOMPARE(reading.channel(POWER), reading.power);
        QCOMPARE(reading.channel(PD), reading.dp);
        QCOMPARE(reading.channel(PM), reading.dm);
        QCOMPARE(reading.channel(CC1), reading.cc1);
        QCOMPARE(reading.channel(CC2), reading.cc2);
        QCOMPARE(reading.channel(CPU_TEMP), reading.cpuTemp);
        QCOMPARE(reading.channel(NTC), reading.ntcTemp);

        const auto recorded = reading.recordedChannels();
        for (int k = 0; k < recordedChannelCount; ++k)
            QCOMPARE(recorded[k], reading.channel(k));
    }

    void channelOutsideRangeIsZero() {
        const MeterReading reading = distinctReading();
        for (const int k : {-1, decodedChannelCount, INT_MAX, INT_MIN})
            QCOMPARE(reading.channel(k), 0.0f);
    }
};

QTEST_APPLESS_MAIN(ReportDecodingTest)
#include "tst_report_decoding.moc"
