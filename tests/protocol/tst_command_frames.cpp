#include "CommandFrame.h"

#include <QByteArray>
#include <QList>
#include <QTest>

#include <cstring>

class CommandFramesTest : public QObject {
    Q_OBJECT

private slots:
    void frameWithoutParameterIsNineBytes_data() {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<QByteArray>("frame");
        const auto row = [](const char* name, quint8 code, const char* hex) {
            QTest::newRow(name) << code << QByteArray::fromHex(hex);
        };
        row("upgrade mode", Command::upgradeMode, "55050902000000EEFF");
        row("settings page opened", Command::settingsPageOpened, "55050903000000EEFF");
        row("language Chinese", Command::languageChinese, "55050920000000EEFF");
        row("language English", Command::languageEnglish, "55050921000000EEFF");
        row("standby style 1", Command::standbyStyle1, "55050925000000EEFF");
        row("standby style 2", Command::standbyStyle2, "55050926000000EEFF");
        row("zero no-load current", Command::zeroNoLoadCurrent, "55050927000000EEFF");
        row("factory reset", Command::factoryReset, "55050928000000EEFF");
        row("clear accumulated data", Command::clearAccumulated, "55050929000000EEFF");
        row("minimum current 0 A", Command::minCurrentZero, "5505092D000000EEFF");
        row("minimum current 10 mA", Command::minCurrent10mA, "5505092E000000EEFF");
        row("minimum current 20 mA", Command::minCurrent20mA, "5505092F000000EEFF");
        row("standby style original", Command::standbyStyleOriginal, "55050930000000EEFF");
        row("switch on", Command::switchOn, "55050931000000EEFF");
        row("switch off", Command::switchOff, "55050932000000EEFF");
        row("home page", Command::homePage, "55050945000000EEFF");
        row("settings page", Command::settingsPage, "55050946000000EEFF");
        row("dashboard page", Command::dashboardPage, "55050947000000EEFF");
        row("page four", Command::pageFour, "55050948000000EEFF");
        row("page five", Command::pageFive, "55050949000000EEFF");
        row("page six", Command::pageSix, "55050950000000EEFF");
    }

    void frameWithoutParameterIsNineBytes() {
        QFETCH(quint8, code);
        QFETCH(QByteArray, frame);
        QCOMPARE(commandFrame(code).toHex(' '), frame.toHex(' '));
    }

    void integerParameterIsBigEndianInTenBytes_data() {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<quint32>("parameter");
        QTest::addColumn<QByteArray>("frame");
        const auto row = [](const char* name, quint8 code, quint32 parameter, const char* hex) {
            QTest::newRow(name) << code << parameter << QByteArray::fromHex(hex);
        };
        row("work brightness 1", Command::workBrightness, 1, "55050A2200000001EEFF");
        row("work brightness 9", Command::workBrightness, 9, "55050A2200000009EEFF");
        row("reduced-page work brightness 100", Command::workBrightness, 100,
            "55050A2200000064EEFF");
        row("standby brightness 0", Command::standbyBrightness, 0, "55050A2300000000EEFF");
        row("standby time 10", Command::standbyTime, 10, "55050A240000000AEEFF");
        row("standby time 60", Command::standbyTime, 60, "55050A240000003CEEFF");
        row("every parameter byte in order", Command::standbyTime, 0x01020304,
            "55050A2401020304EEFF");
    }

    void integerParameterIsBigEndianInTenBytes() {
        QFETCH(quint8, code);
        QFETCH(quint32, parameter);
        QFETCH(QByteArray, frame);
        QCOMPARE(commandFrame(code, parameter).toHex(' '), frame.toHex(' '));
    }

    // Dragging the standby-time slider from 60 to 58 sends one frame per step.
    void standbyTimeStepsDownAsTwoFrames() {
        QList<QByteArray> frames;
        for (const quint32 position : {59u, 58u})
            frames << commandFrame(Command::standbyTime, position).toHex(' ');
        const QList<QByteArray> expected{QByteArray::fromHex("55050A240000003BEEFF").toHex(' '),
                                         QByteArray::fromHex("55050A240000003AEEFF").toHex(' ')};
        QCOMPARE(frames, expected);
    }

    void calibrationFactorIsThousandthsInSinglePrecision_data() {
        QTest::addColumn<int>("sliderValue");
        QTest::addColumn<quint32>("bits");
        QTest::newRow("500") << 500 << quint32(0x3F000000);
        QTest::newRow("1000") << 1000 << quint32(0x3F800000);
        QTest::newRow("1234") << 1234 << quint32(0x3F9DF3B6);
        QTest::newRow("2000") << 2000 << quint32(0x40000000);
    }

    void calibrationFactorIsThousandthsInSinglePrecision() {
        QFETCH(int, sliderValue);
        QFETCH(quint32, bits);
        const float factor = calibrationFactor(sliderValue);
        quint32 actual;
        std::memcpy(&actual, &factor, sizeof actual);
        QCOMPARE(actual, bits);
    }

    void calibrationFrameCarriesFactorBitsBigEndian_data() {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<int>("sliderValue");
        QTest::addColumn<QByteArray>("frame");
        const auto row = [](const char* name, quint8 code, int value, const char* hex) {
            QTest::newRow(name) << code << value << QByteArray::fromHex(hex);
        };
        row("voltage 1000", Command::voltageCalibration, 1000, "55050A2A3F800000EEFF");
        row("voltage 500", Command::voltageCalibration, 500, "55050A2A3F000000EEFF");
        row("current 1234", Command::currentCalibration, 1234, "55050A2B3F9DF3B6EEFF");
        row("temperature 2000", Command::temperatureCalibration, 2000, "55050A2C40000000EEFF");
    }

    void calibrationFrameCarriesFactorBitsBigEndian() {
        QFETCH(quint8, code);
        QFETCH(int, sliderValue);
        QFETCH(QByteArray, frame);
        QCOMPARE(calibrationFrame(code, sliderValue).toHex(' '), frame.toHex(' '));
    }

    void pollFrameIsTheFixedNineBytes() {
        QCOMPARE(pollFrame().toHex(' '), QByteArray::fromHex("550522050B008CEEFF").toHex(' '));
    }
};

QTEST_APPLESS_MAIN(CommandFramesTest)
#include "tst_command_frames.moc"
