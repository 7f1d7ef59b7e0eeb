#include "DashboardFormat.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(MinCurrentChoice)

class DashboardFormatTest : public QObject {
    Q_OBJECT

private slots:
    void largeReadingTradesDecimalsForDigits_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0f << "0.000000";
        QTest::newRow("5.1 V") << 5.1f << "5.100000";
        QTest::newRow("just below 10") << 9.99999f << "9.999990";
        QTest::newRow("10 exactly") << 10.0f << "10.00000";
        QTest::newRow("12.345 V") << 12.345f << "12.34500";
        QTest::newRow("just below 100") << 99.99f << "99.99000";
        QTest::newRow("100 exactly") << 100.0f << "100.0000";
        QTest::newRow("120.5 W") << 120.5f << "120.5000";
        QTest::newRow("largest count, wider than 8") << 4294.967295f << "4294.9673";
    }

    void largeReadingTradesDecimalsForDigits() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(formatLargeReading(value), text);
    }

    void lineVoltageHasThreeDecimals_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0f << "0.000";
        QTest::newRow("D+ 0.6 V") << 0.6f << "0.600";
        QTest::newRow("CC1 1.7 V") << 1.7f << "1.700";
        QTest::newRow("rounds half up") << 3.2996f << "3.300";
    }

    void lineVoltageHasThreeDecimals() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(formatLineVoltage(value), text);
    }

    void temperatureHasOneDecimal_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("36.5") << 36.5f << "36.5";
        QTest::newRow("25.04 rounds down") << 25.04f << "25.0";
        QTest::newRow("whole degrees") << 30.0f << "30.0";
    }

    void temperatureHasOneDecimal() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(formatTemperature(value), text);
    }

    void gaugeLevelScalesAboveEmptyMark_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("fullScale");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("saturated");
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        QTest::newRow("VBUS zero shows the empty mark") << 0.0f << 50.0f << 13 << false;
        QTest::newRow("VBUS 5 V") << 5.0f << 50.0f << 21 << false;
        QTest::newRow("IBUS 3.25 A truncates 56.5") << 3.25f << 6.5f << 56 << false;
        QTest::newRow("IBUS just below full scale") << 6.49f << 6.5f << 99 << false;
        QTest::newRow("IBUS at full scale") << 6.5f << 6.5f << 100 << true;
        QTest::newRow("POWER at full scale") << 325.0f << 325.0f << 100 << true;
        QTest::newRow("POWER beyond full scale") << 400.0f << 325.0f << 100 << true;
        QTest::newRow("largest count") << 4294.967295f << 50.0f << 100 << true;
        QTest::newRow("NaN shows the empty mark") << nan << 50.0f << 13 << false;
        QTest::newRow("infinity saturates") << inf << 50.0f << 100 << true;
        QTest::newRow("negative stays at the empty mark") << -1.0f << 6.5f << 13 << false;
        QTest::newRow("minus infinity stays at the empty mark") << -inf << 6.5f << 13 << false;
    }

    void gaugeLevelScalesAboveEmptyMark() {
        QFETCH(float, value);
        QFETCH(float, fullScale);
        QFETCH(int, level);
        QFETCH(bool, saturated);
        const GaugeLevel gauge = gaugeLevel(value, fullScale);
        QCOMPARE(gauge.value, level);
        QCOMPARE(gauge.saturated, saturated);
    }

    void gaugeFullScalesMatchTheThreeGauges() {
        QCOMPARE(gaugeLevel(3.25f, Gauge::ibusFullScale).value, 56);
        QVERIFY(!gaugeLevel(49.9f, Gauge::vbusFullScale).saturated);
        QVERIFY(gaugeLevel(50.0f, Gauge::vbusFullScale).saturated);
        QVERIFY(!gaugeLevel(324.9f, Gauge::powerFullScale).saturated);
        QVERIFY(gaugeLevel(325.0f, Gauge::powerFullScale).saturated);
    }

    void minimumCurrentPicksOptionWithinWindows_data() {
        QTest::addColumn<float>("minCurrent");
        QTest::addColumn<MinCurrentChoice>("choice");
        QTest::newRow("0 A") << 0.0f << MinCurrentChoice::ZeroAmp;
        QTest::newRow("just below 1 mA") << 0.0009f << MinCurrentChoice::ZeroAmp;
        QTest::newRow("1 mA") << 0.001f << MinCurrentChoice::Unchanged;
        QTest::newRow("below the 10 mA window") << 0.0089f << MinCurrentChoice::Unchanged;
        QTest::newRow("low in the 10 mA window") << 0.0091f << MinCurrentChoice::TenMilliamp;
        QTest::newRow("reported 10 mA (3C 23 D7 0A)") << 0.01f << MinCurrentChoice::TenMilliamp;
        QTest::newRow("high in the 10 mA window") << 0.0109f << MinCurrentChoice::TenMilliamp;
        QTest::newRow("above the 10 mA window") << 0.0111f << MinCurrentChoice::Unchanged;
        QTest::newRow("15 mA") << 0.015f << MinCurrentChoice::Unchanged;
        QTest::newRow("below the 20 mA window") << 0.0189f << MinCurrentChoice::Unchanged;
        QTest::newRow("reported 20 mA (3C A3 D7 0A)") << 0.02f << MinCurrentChoice::TwentyMilliamp;
        QTest::newRow("high in the 20 mA window") << 0.0209f << MinCurrentChoice::TwentyMilliamp;
        QTest::newRow("above the 20 mA window") << 0.0211f << MinCurrentChoice::Unchanged;
        QTest::newRow("1 A") << 1.0f << MinCurrentChoice::Unchanged;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN()
                             << MinCurrentChoice::Unchanged;
    }

    void minimumCurrentPicksOptionWithinWindows() {
        QFETCH(float, minCurrent);
        QFETCH(MinCurrentChoice, choice);
        QCOMPARE(minCurrentChoice(minCurrent), choice);
    }

    void floatingInputHintBelowThreeVolts_data() {
        QTest::addColumn<float>("vbus");
        QTest::addColumn<bool>("shown");
        QTest::newRow("0 V") << 0.0f << true;
        QTest::newRow("2.999 V") << 2.999f << true;
        QTest::newRow("3 V exactly") << 3.0f << false;
        QTest::newRow("5 V") << 5.0f << false;
    }

    void floatingInputHintBelowThreeVolts() {
        QFETCH(float, vbus);
        QFETCH(bool, shown);
        QCOMPARE(showFloatingInputHint(vbus), shown);
    }
};

QTEST_APPLESS_MAIN(DashboardFormatTest)
#include "tst_dashboard_format.moc"
