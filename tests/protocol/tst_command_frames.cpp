#include "CommandFrame.h"

#include <QByteArray>
#include <QTest>

class CommandFramesTest : public QObject {
    Q_OBJECT

private slots:
    // parameter -1: the 9-byte frame without parameter.
    void everyCommandCodeHasItsExactFrame_data() {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<qint64>("parameter");
        QTest::addColumn<QByteArray>("frame");
        const auto row = [](const char* name, quint8 code, qint64 parameter, const char* hex) {
            QTest::newRow(name) << code << parameter << QByteArray::fromHex(hex);
        };
        row("upgrade mode", Command::upgradeMode, -1, "55050902000000EEFF");
        row("settings page opened", Command::settingsPageOpened, -1, "55050903000000EEFF");
        row("language Chinese", Command::languageChinese, -1, "55050920000000EEFF");
        row("language English", Command::languageEnglish, -1, "55050921000000EEFF");
        row("standby style 1", Command::standbyStyle1, -1, "55050925000000EEFF");
        row("standby style 2", Command::standbyStyle2, -1, "55050926000000EEFF");
        row("zero no-load current", Command::zeroNoLoadCurrent, -1, "55050927000000EEFF");
        row("factory reset", Command::factoryReset, -1, "55050928000000EEFF");
        row("clear accumulated data", Command::clearAccumulated, -1, "55050929000000EEFF");
        row("minimum current 0 A", Command::minCurrentZero, -1, "5505092D000000EEFF");
        row("minimum current 10 mA", Command::minCurrent10mA, -1, "5505092E000000EEFF");
        row("minimum current 20 mA", Command::minCurrent20mA, -1, "5505092F000000EEFF");
        row("standby style original", Command::standbyStyleOriginal, -1, "55050930000000EEFF");
        row("switch on", Command::switchOn, -1, "55050931000000EEFF");
        row("switch off", Command::switchOff, -1, "55050932000000EEFF");
        row("home page", Command::homePage, -1, "55050945000000EEFF");
        row("settings page", Command::settingsPage, -1, "55050946000000EEFF");
        row("dashboard page", Command::dashboardPage, -1, "55050947000000EEFF");
        row("page four", Command::pageFour, -1, "55050948000000EEFF");
        row("page five", Command::pageFive, -1, "55050949000000EEFF");
        row("page six", Command::pageSix, -1, "55050950000000EEFF");
        row("work brightness 9", Command::workBrightness, 9, "55050A2200000009EEFF");
        row("reduced-page work brightness 100", Command::workBrightness, 100,
            "55050A2200000064EEFF");
        row("standby brightness 7", Command::standbyBrightness, 7, "55050A2300000007EEFF");
        row("standby time, parameter big-endian", Command::standbyTime, 0x01020304,
            "55050A2401020304EEFF");
    }

    void everyCommandCodeHasItsExactFrame() {
        QFETCH(quint8, code);
        QFETCH(qint64, parameter);
        QFETCH(QByteArray, frame);
        const QByteArray built = parameter < 0 ? commandFrame(code) : commandFrame(code, parameter);
        QCOMPARE(built.toHex(' '), frame.toHex(' '));
    }

    // The slider position in thousandths becomes the single-precision factor's bits.
    void calibrationFrameCarriesFactorBitsBigEndian_data() {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<int>("sliderValue");
        QTest::addColumn<QByteArray>("frame");
        const auto row = [](const char* name, quint8 code, int value, const char* hex) {
            QTest::newRow(name) << code << value << QByteArray::fromHex(hex);
        };
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
