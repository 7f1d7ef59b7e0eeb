// SPDX-License-Identifier: GPL-3.0-or-later
#include "AxisScale.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace AxisScales;

namespace {
QStringList texts(const AxisScale& scale) {
    QStringList out;
    for (const AxisLabel& label : scale.labels)
        out << label.text;
    return out;
}
} // namespace

class AxisScaleTest : public QObject {
    Q_OBJECT

private slots:
    // Ten even steps from 0 (auto: the next whole unit above the value) or from the custom
    // minimum, labelled with the channel's decimals and unit.
    void scalesSpanTenEvenStepsWithTheirUnit_data() {
        const QString celsius = QStringLiteral("\u2103");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<float>("from"); // NaN: an auto scale for the value `to`
        QTest::addColumn<float>("to");
        QTest::addColumn<double>("max");
        QTest::addColumn<QStringList>("ends"); // the second label and the last
        const float none = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("auto") << "V" << 2 << none << 23.4f << 25.0
                              << QStringList{"2.50V", "25.00V"};
        QTest::newRow("whole value: a unit of headroom")
            << "W" << 2 << none << 20.0f << 21.0 << QStringList{"2.10W", "21.00W"};
        // An all-0xFF report decodes to about 4294.967: a large but sound axis.
        QTest::newRow("all-0xFF report")
            << "A" << 2 << none << 4294.967f << 4296.0 << QStringList{"429.60A", "4296.00A"};
        QTest::newRow("temperature peak") << celsius << 1 << none << 100.0f << 101.0
                                          << QStringList{"10.1" + celsius, "101.0" + celsius};
        QTest::newRow("custom") << "V" << 2 << 4.5f << 5.5f << 5.5 << QStringList{"4.60V", "5.50V"};
    }
    void scalesSpanTenEvenStepsWithTheirUnit() {
        QFETCH(QString, unit);
        QFETCH(int, decimals);
        QFETCH(float, from);
        QFETCH(float, to);
        QFETCH(double, max);
        const auto scale = std::isnan(from) ? autoScale(unit, decimals, to)
                                            : customScale(unit, decimals, from, to);
        QVERIFY(scale);
        const double min = std::isnan(from) ? 0.0 : double(from);
        QCOMPARE(scale->min, min);
        QCOMPARE(scale->max, max);
        const QStringList labels = texts(*scale);
        QCOMPARE(labels.size(), 11);
        QTEST((QStringList{labels.at(1), labels.last()}), "ends");
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(float(scale->labels.at(i).value), float(min + (max - min) * i / 10));
    }

    void rangesThatWouldBeEmptyOrInvertedAreRefused() {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        QVERIFY(!customScale("V", 2, 0.0f, 0.0f));
        QVERIFY(!customScale("V", 2, 5.5f, 4.5f));
        QVERIFY(!customScale("V", 2, nan, 5.0f));
        QVERIFY(!customScale("V", 2, 0.0f, inf));
        QVERIFY(!autoScale("V", 2, nan));
        QVERIFY(!autoScale("V", 2, inf));
    }

    void anAxisOpensAtItsTopAndGrowsWithTheValueOrThePeakButNotNonNumbers() {
        QCOMPARE(defaultScale(QStringLiteral("\u2103"), 1, 40.0f).labels.last().text,
                 QStringLiteral("40.0\u2103"));
        QCOMPARE(grownTop(20, 20, 23.4f).value(), double(23.4f));
        QVERIFY(!grownTop(25, 23.4, 21.0f));
        // A view that opens below the channel's peak grows to the peak on the next tick.
        QCOMPARE(grownTop(40, 100, 36.5f).value(), 100.0);
        QCOMPARE(grownTop(40, 100, std::nanf("")).value(), 100.0);
        QVERIFY(!grownTop(20, 20, std::nanf("")));
        QVERIFY(!grownTop(20, 20, std::numeric_limits<float>::infinity()));
    }
};

QTEST_APPLESS_MAIN(AxisScaleTest)
#include "test_axis_scale.moc"
