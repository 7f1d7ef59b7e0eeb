// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardFormat.h"

#include <QTest>

#include <initializer_list>
#include <limits>

Q_DECLARE_METATYPE(MinCurrentChoice)

namespace {
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();
} // namespace

class DashboardFormatTest : public QObject {
    Q_OBJECT

private slots:
    // Large readings keep 8 characters: 6 decimals below 10, 5 below 100, else 4.
    void readingsShowTheirFixedDecimals() {
        QCOMPARE(formatLargeReading(9.99999f), QStringLiteral("9.999990"));
        QCOMPARE(formatLargeReading(10.0f), QStringLiteral("10.00000"));
        QCOMPARE(formatLargeReading(99.99f), QStringLiteral("99.99000"));
        QCOMPARE(formatLargeReading(100.0f), QStringLiteral("100.0000"));
        QCOMPARE(formatLargeReading(4294.967295f), QStringLiteral("4294.9673")); // wider than 8
        QCOMPARE(formatLineVoltage(3.2996f), QStringLiteral("3.300"));
        QCOMPARE(formatTemperature(25.04f), QStringLiteral("25.0"));
    }

    // 13 + 87 * value / full scale, truncated; at or above full scale 100 and saturated.
    void gaugeLevelScalesAboveEmptyMark_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("fullScale");
        QTest::addColumn<int>("level");
        QTest::newRow("VBUS 5 V truncates 21.7") << 5.0f << Gauge::vbusFullScale << 21;
        QTest::newRow("IBUS 3.25 A truncates 56.5") << 3.25f << Gauge::ibusFullScale << 56;
        QTest::newRow("POWER 162.5 W truncates 56.5") << 162.5f << Gauge::powerFullScale << 56;
        QTest::newRow("POWER at full scale") << 325.0f << Gauge::powerFullScale << 100;
        QTest::newRow("VBUS beyond full scale") << 50.5f << Gauge::vbusFullScale << 100;
        QTest::newRow("infinity saturates") << inf << Gauge::vbusFullScale << 100;
        QTest::newRow("NaN shows the empty mark") << nan << Gauge::vbusFullScale << 13;
        QTest::newRow("negative stays at the empty mark") << -1.0f << Gauge::ibusFullScale << 13;
    }

    void gaugeLevelScalesAboveEmptyMark() {
        QFETCH(float, value);
        QFETCH(float, fullScale);
        QFETCH(int, level);
        const GaugeLevel gauge = gaugeLevel(value, fullScale);
        QCOMPARE(gauge.value, level);
        QCOMPARE(gauge.saturated, level == 100);
    }

    // The reported 0, 0.01 and 0.02 A pick their option within a window; others none.
    void minimumCurrentPicksOptionWithinWindows_data() {
        QTest::addColumn<float>("minCurrent");
        QTest::addColumn<MinCurrentChoice>("choice");
        const auto rows = [](MinCurrentChoice choice, std::initializer_list<float> values) {
            for (const float value : values)
                QTest::addRow("%g A", double(value)) << value << choice;
        };
        rows(MinCurrentChoice::ZeroAmp, {0.0f, 0.0009f});
        rows(MinCurrentChoice::TenMilliamp, {0.0091f, 0.01f, 0.0109f});
        rows(MinCurrentChoice::TwentyMilliamp, {0.0191f, 0.02f, 0.0209f});
        rows(MinCurrentChoice::Unchanged, {0.001f, 0.0089f, 0.0111f, 0.0189f, 0.0211f, nan});
    }

    void minimumCurrentPicksOptionWithinWindows() {
        QFETCH(float, minCurrent);
        QFETCH(MinCurrentChoice, choice);
        QCOMPARE(minCurrentChoice(minCurrent), choice);
    }

    void floatingInputHintBelowThreeVolts() {
        QVERIFY(showFloatingInputHint(2.999f));
        QVERIFY(!showFloatingInputHint(3.0f));
    }
};

QTEST_APPLESS_MAIN(DashboardFormatTest)
#include "test_dashboard_format.moc"
