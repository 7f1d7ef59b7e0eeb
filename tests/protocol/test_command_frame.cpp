// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandFrame.h"

#include <QByteArray>
#include <QTest>

class CommandFramesTest : public QObject {
    Q_OBJECT

private slots:
    // parameter -1: the 9-byte frame without parameter.
    void commandFramesHaveTheirExactBytes_data() {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<qint64>("parameter");
        QTest::addColumn<QByteArray>("frame");
        const auto row = [](const char* name, quint8 code, qint64 parameter, const char* hex) {
            QTest::newRow(name) << code << parameter << QByteArray::fromHex(hex);
        };
        // Bytes as the meter's protocol lists them; the rest of the codes follow the same
        // two shapes.
        row("upgrade mode", Command::upgradeMode, -1, "55050902000000EEFF");
        row("factory reset", Command::factoryReset, -1, "55050928000000EEFF");
        row("page six", Command::pageSix, -1, "55050950000000EEFF");
        row("work brightness 9", Command::workBrightness, 9, "55050A2200000009EEFF");
        row("standby time, parameter big-endian", Command::standbyTime, 0x01020304,
            "55050A2401020304EEFF");
    }

    void commandFramesHaveTheirExactBytes() {
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
};

QTEST_APPLESS_MAIN(CommandFramesTest)
#include "test_command_frame.moc"
