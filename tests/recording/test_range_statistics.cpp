// SPDX-License-Identifier: GPL-3.0-or-later
#include "CapacityMeter.h"
#include "MinMaxPyramid.h"
#include "RangeStatistics.h"
#include "RunningSums.h"
#include "SampleStore.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

constexpr qint64 t0 = 1709647629;
constexpr qint64 ms = 1000;
constexpr float noValue = std::numeric_limits<float>::quiet_NaN();

// The figures of a stretch by walking every record, trapezoids clipped to the stretch,
// summed in long double.
struct Scanned {
    std::array<ValueSpan, recordedChannelCount> spans;
    std::array<long double, recordedChannelCount> sums{};
    std::array<int, recordedChannelCount> counts{};
    int samples = 0, gaps = 0;
    long double ampSecs = 0, wattSecs = 0, coveredSecs = 0;
};

Scanned scan(const SampleStore& s, qint64 fromMs, qint64 toMs) {
    Scanned r;
    int last = -1;
    for (int i = 0; i < s.size(); ++i) {
        const qint64 t = s.timeAt(i) * ms;
        if (t >= fromMs && t <= toMs) {
            ++r.samples;
            for (int k = 0; k < recordedChannelCount; ++k) {
                if (std::isfinite(s.value(k, i))) {
                    r.spans[size_t(k)].add(s.value(k, i));
                    r.sums[size_t(k)] += s.value(k, i);
                    ++r.counts[size_t(k)];
                }
            }
        }
        if (i > 0 && t - s.timeAt(i - 1) * ms > 5 * ms && s.timeAt(i - 1) * ms < toMs && t > fromMs)
            ++r.gaps;
        if (!std::isfinite(s.value(VBUS, i)) || !std::isfinite(s.value(IBUS, i)) ||
            !std::isfinite(s.value(POWER, i)) || (last >= 0 && s.timeAt(last) >= s.timeAt(i)))
            continue;
        const qint64 a = last >= 0 ? s.timeAt(last) * ms : 0;
        const qint64 from = std::max(a, fromMs), to = std::min(t, toMs);
        if (last >= 0 && t - a <= 5 * ms && from < to) {
            const auto at = [&](int k, qint64 x) {
                const long double va = s.value(k, last), vb = s.value(k, i);
                return va + (vb - va) * (x - a) / (t - a);
            };
            const long double secs = (to - from) / 1000.0L;
            r.ampSecs += (at(IBUS, from) + at(IBUS, to)) / 2 * secs;
            r.wattSecs += (at(POWER, from) + at(POWER, to)) / 2 * secs;
            r.coveredSecs += secs;
        }
        last = i;
    }
    return r;
}

struct Recording {
    SampleStore store;
    MinMaxPyramid pyramid;
    RunningSums sums;

    void add(qint64 secs, float volts, float amps, float watts, float other = 1.0f) {
        SampleStore::Values v;
        v.fill(other);
        v[VBUS] = volts;
        v[IBUS] = amps;
        v[POWER] = watts;
        store.append(secs, v);
    }
    void sync() {
        pyramid.sync(store);
        sums.sync(store);
    }
    RangeFigures measure(qint64 fromMs, qint64 toMs) const {
        return RangeStatistics::measure(store, pyramid, sums, fromMs, toMs);
    }
};

// Mostly one record a second; now and then a repeated second, a short or a long gap, and
// readings that are no measurement.
void fillRandom(Recording& rec, QRandomGenerator& random, int records) {
    qint64 secs = rec.store.isEmpty() ? t0 : rec.store.timeAt(rec.store.size() - 1) + 60;
    for (int i = 0; i < records; ++i) {
        const int roll = random.bounded(100);
        secs += roll < 2 ? 0 : roll < 4 ? 2 + random.bounded(10) : 1;
        SampleStore::Values v;
        for (float& x : v) {
            const int odd = random.bounded(200);
            x = odd == 0 ? noValue : odd == 1 ? -INFINITY : float(random.bounded(20000)) / 1000.0f;
        }
        rec.store.append(secs, v);
    }
}

} // namespace

class RangeStatisticsTest : public QObject {
    Q_OBJECT

private slots:
    // Exact for extremes and counts; means and integrals within 1e-9 of their scale.
    void figuresOfRandomStretchesEqualAFullScan() {
        const quint32 seed = qEnvironmentVariableIsSet("SEED")
                                 ? qEnvironmentVariableIntValue("SEED")
                                 : QRandomGenerator::global()->generate();
        qInfo("seed %u (SEED=%u repeats this run)", seed, seed);
        QRandomGenerator random(seed);
        Recording rec;
        for (int part : {40, 3000, 9000}) {
            fillRandom(rec, random, part);
            rec.sync();
            const qint64 begin = (rec.store.timeAt(0) - 8) * ms;
            const qint64 span = (rec.store.timeAt(rec.store.size() - 1) + 16) * ms - begin;
            for (int trial = 0; trial < 300; ++trial) {
                const qint64 a = begin + qint64(random.bounded(double(span)));
                const qint64 b = trial % 10 == 0 ? a : begin + qint64(random.bounded(double(span)));
                const RangeFigures f = rec.measure(a, b);
                const Scanned want = scan(rec.store, std::min(a, b), std::max(a, b));
                const auto near = [](double got, long double want, double tolerance) {
                    return std::abs(got - double(want)) < tolerance;
                };
                QCOMPARE(f.records.count(), want.samples);
                QCOMPARE(f.gaps, want.gaps);
                for (size_t k = 0; k < recordedChannelCount; ++k) {
                    const RangeFigures::Channel& c = f.channels[k];
                    QCOMPARE(c.count, want.counts[k]);
                    QCOMPARE(c.mean.has_value(), c.count > 0);
                    QVERIFY(!c.mean ||
                            (c.span.min == want.spans[k].min && c.span.max == want.spans[k].max &&
                             near(*c.mean, want.sums[k] / c.count, 20e-9)));
                }
                QVERIFY(near(f.coveredSecs, want.coveredSecs, 1e-6));
                QCOMPARE(f.milliampHours.has_value(), want.coveredSecs > 0);
                const double scale = 1e-9 * (20 * double(want.coveredSecs) + 1);
                QVERIFY(!f.milliampHours || (near(*f.milliampHours * 3.6, want.ampSecs, scale) &&
                                             near(*f.wattHours * 3600, want.wattSecs, scale)));
            }
        }
        // The whole recording holds what the capacity page finds, fed the same records.
        CapacityMeter meter;
        meter.start();
        for (int i = 0; i < rec.store.size(); ++i)
            meter.addReading(rec.store.timeAt(i) * ms, rec.store.value(VBUS, i),
                             rec.store.value(IBUS, i), rec.store.value(POWER, i));
        const RangeFigures whole =
            rec.measure(rec.store.timeAt(0) * ms, rec.store.timeAt(rec.store.size() - 1) * ms);
        QVERIFY2(qFuzzyCompare(*whole.milliampHours, meter.totals().milliampHours),
                 QByteArray::number(seed));
        QVERIFY2(qFuzzyCompare(*whole.wattHours, meter.totals().wattHours),
                 QByteArray::number(seed));
    }

    void knownFigures_data() {
        QTest::addColumn<QVector<float>>("amps"); // one record a second from t0; NaN: none
        QTest::addColumn<double>("fromSecs");
        QTest::addColumn<double>("toSecs");
        QTest::addColumn<double>("milliampHours"); // -1: no figure
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("gaps");
        const QVector<float> hour(3602, 2.0f);
        QVector<float> ramp{0.0f, 2.0f};
        QVector<float> gap(31, 1.0f);
        for (int i = 11; i < 20; ++i)
            gap[i] = noValue; // no record at all: a 10 s gap
        QTest::newRow("2 A over an hour") << hour << 0.0 << 3600.0 << 2000.0 << 3601 << 0;
        QTest::newRow("cut mid-interval") << hour << 0.5 << 3600.5 << 2000.0 << 3600 << 0;
        QTest::newRow("half a ramp step") << ramp << 0.5 << 1.0 << 0.75 / 3.6 << 1 << 0;
        QTest::newRow("across a gap") << gap << 0.0 << 30.0 << 20 / 3.6 << 22 << 1;
        QTest::newRow("inside a gap") << gap << 12.0 << 18.0 << -1.0 << 0 << 1;
        QTest::newRow("zero width in a gap") << gap << 15.0 << 15.0 << -1.0 << 0 << 1;
        QTest::newRow("one sample") << gap << 5.0 << 5.0 << -1.0 << 1 << 0;
        QTest::newRow("past the end") << gap << 40.0 << 90.0 << -1.0 << 0 << 0;
    }

    void knownFigures() {
        QFETCH(QVector<float>, amps);
        QFETCH(double, fromSecs);
        QFETCH(double, toSecs);
        QFETCH(double, milliampHours);
        Recording rec;
        for (int i = 0; i < amps.size(); ++i)
            if (!std::isnan(amps[i]))
                rec.add(t0 + i, 5.0f, amps[i], 5.0f * amps[i]);
        rec.sync();
        const RangeFigures f =
            rec.measure(qint64((t0 + fromSecs) * ms), qint64((t0 + toSecs) * ms));
        QTEST(f.records.count(), "samples");
        QTEST(f.gaps, "gaps");
        QCOMPARE(f.milliampHours.has_value(), milliampHours >= 0);
        QCOMPARE(f.channels[IBUS].mean.has_value(), f.records.count() > 0);
        if (milliampHours >= 0) {
            QVERIFY(std::abs(*f.milliampHours - milliampHours) < 1e-9);
            QVERIFY(std::abs(*f.wattHours - 5 * milliampHours / 1000) < 1e-12);
        }
    }

    // After a week at 3 A, an hour at a tenth of a milliampere still has its own mean:
    // sums in plain double would round away its last eight digits.
    void aWeekOfSumsKeepsTheDigitsOfAShortStretch() {
        Recording rec;
        constexpr int week = 7 * 24 * 3600, hour = 3600;
        for (int i = 0; i < week; ++i)
            rec.add(t0 + i, 5.1f, i < week - hour ? 3.0f : 1.234e-4f * float(1 + i % 7), 0.5f);
        rec.sync();
        const RangeFigures f = rec.measure((t0 + week - hour) * ms, (t0 + week) * ms);
        double want = 0;
        for (int i = week - hour; i < week; ++i)
            want += rec.store.value(IBUS, i);
        want /= hour;
        QVERIFY2(std::abs(*f.channels[IBUS].mean - want) < 1e-12 * want,
                 qPrintable(QString::number(*f.channels[IBUS].mean - want)));
        QVERIFY(rec.sums.memoryBytes() < size_t(week) * 20);
    }
};

QTEST_MAIN(RangeStatisticsTest)
#include "test_range_statistics.moc"
