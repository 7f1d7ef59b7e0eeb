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
    void autoScaleReachesTheNextWholeUnitAboveTheValue() {
        const auto scale = autoScale("V", 2, 23.4f);
        QVERIFY(scale);
        QCOMPARE(scale->min, 0.0);
        QCOMPARE(scale->max, 25.0);
        const QStringList labels = texts(*scale);
        QCOMPARE(labels.size(), 11);
        QCOMPARE(labels.first(), QString("0.00V"));
        QCOMPARE(labels.at(1), QString("2.50V"));
        QCOMPARE(labels.last(), QString("25.00V"));
        QCOMPARE(scale->labels.at(4).value, 10.0);
        // A whole value still gets a unit of headroom.
        QCOMPARE(autoScale("W", 2, 20.0f)->max, 21.0);
    }

    void customRangeSpansItsOwnLimitsInTenSteps() {
        const auto scale = customScale("V", 2, 4.5f, 5.5f);
        QVERIFY(scale);
        QCOMPARE(scale->min, 4.5);
        QCOMPARE(scale->max, 5.5);
        QCOMPARE(texts(*scale), QStringList({"4.50V", "4.60V", "4.70V", "4.80V", "4.90V", "5.00V",
                                             "5.10V", "5.20V", "5.30V", "5.40V", "5.50V"}));
        for (int i = 1; i < scale->labels.size(); ++i)
            QVERIFY(scale->labels[i].value > scale->labels[i - 1].value);
    }

    void temperatureLabelsCarryOneDecimalAndTheDegreeSign() {
        const QString celsius = QStringLiteral("\u2103");
        const AxisScale opened = defaultScale(celsius, 1, 40.0f);
        QCOMPARE(opened.max, 40.0);
        QCOMPARE(opened.labels.first().text, QString("0.0") + celsius);
        QCOMPARE(opened.labels.last().text, QString("40.0") + celsius);
        // The temperature peak starts at 100: the next second shows [0, 101].
        const auto grown = autoScale(celsius, 1, 100.0f);
        QCOMPARE(grown->max, 101.0);
        QCOMPARE(grown->labels.at(1).text, QString("10.1") + celsius);
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
        // An all-0xFF report decodes to about 4294.967: a large but sound axis.
        const auto huge = autoScale("A", 2, 4294.967f);
        QCOMPARE(huge->max, 4296.0);
        QVERIFY(huge->max > huge->min);
    }

    void anAxisGrowsWithTheValueOrThePeakAndIgnoresNonNumbers() {
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
