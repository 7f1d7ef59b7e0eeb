// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveReduction.h"
#include "MinMaxPyramid.h"
#include "MonotoneCurve.h"
#include "SampleStore.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

constexpr qint64 t0 = 1709647629;
constexpr qint64 ms = 1000;

void appendRun(SampleStore& store, qint64 start, int records, quint32 seed) {
    QRandomGenerator random(seed);
    for (int r = 0; r < records; ++r) {
        SampleStore::Values values{};
        for (float& v : values)
            v = 5.0f + static_cast<float>(random.bounded(1000)) / 1000.0f;
        if (random.bounded(500) == 0)
            values[VBUS] = 20.0f + static_cast<float>(random.bounded(100)); // a rare spike
        store.append(start + r, values);
    }
}

PlotWindow window(qint64 fromSecs, qint64 toSecs, int widthPx) {
    return {{fromSecs * ms, toSecs * ms}, widthPx};
}

// The curve of one channel over [from, to] seconds on a plot `widthPx` wide.
CurveSegments curveOf(const SampleStore& store, int channel, qint64 from, qint64 to, int widthPx) {
    MinMaxPyramid pyramid;
    pyramid.sync(store);
    return CurveReduction(store, pyramid, window(from, to, widthPx)).curve(channel);
}

int pointCount(const CurveSegments& segments) {
    int n = 0;
    for (const auto& s : segments)
        n += s.size();
    return n;
}

} // namespace

class CurveReductionTest : public QObject {
    Q_OBJECT

private slots:
    void fewRecordsAreDrawnExactlyAsRecorded() {
        SampleStore store;
        appendRun(store, t0, 400, 1);
        MinMaxPyramid pyramid;
        pyramid.sync(store);
        // 300 records over 1200 px: 4 px apart, plain lines through every record, plus
        // the record just outside each edge.
        const CurveReduction reduction(store, pyramid, window(t0 + 50, t0 + 349, 1200));
        QVERIFY(!reduction.reducesToColumns());
        const CurveSegments curve = reduction.curve(IBUS);
        QCOMPARE(curve.size(), 1);
        QCOMPARE(curve[0].size(), 302);
        for (int i = 0; i < curve[0].size(); ++i) {
            QCOMPARE(curve[0][i].x(), double((t0 + 49 + i) * ms));
            QCOMPARE(curve[0][i].y(), double(store.value(IBUS, 49 + i)));
        }
    }

    void manyRecordsKeepEveryColumnsMinimumAndMaximum() {
        SampleStore store;
        appendRun(store, t0, 100000, 2);
        MinMaxPyramid pyramid;
        pyramid.sync(store);
        const PlotWindow plot = window(t0 + 1234, t0 + 91234, 800);
        const CurveReduction reduction(store, pyramid, plot);
        QVERIFY(reduction.reducesToColumns());
        const CurveSegments curve = reduction.curve(VBUS);
        QCOMPARE(curve.size(), 1);
        QVERIFY(pointCount(curve) <= 2 * 400 + 2);
        const int columns = 800 / CurveReduction::pixelsPerColumn;
        const double columnMs = double(plot.range.spanMs()) / columns;
        QMultiMap<double, double> drawn;
        for (const QPointF& p : curve[0])
            drawn.insert(p.x(), p.y());
        for (int c = 0; c < columns; ++c) {
            const double from = plot.range.minMs + c * columnMs;
            const double to = from + columnMs;
            float lo = INFINITY;
            float hi = -INFINITY;
            for (int i = 0; i < store.size(); ++i) {
                const double x = double(store.timeAt(i) * ms);
                if (x >= from && x < to) {
                    lo = std::min(lo, store.value(VBUS, i));
                    hi = std::max(hi, store.value(VBUS, i));
                }
            }
            const QList<double> ys = drawn.values(from + columnMs / 2);
            QVERIFY2(ys.contains(double(lo)) && ys.contains(double(hi)),
                     qPrintable(QString::number(c)));
        }
    }

    void aPauseInTheRecordingBreaksTheCurve() {
        SampleStore store;
        appendRun(store, t0, 600, 3);
        appendRun(store, t0 + 600 + 3, 600, 4); // a missed tick or two: no break
        appendRun(store, t0 + 5000, 3000, 5);   // a second run an hour later
        const CurveSegments exact = curveOf(store, PD, t0 + 1000, t0 + 5100, 1200);
        QCOMPARE(exact.size(), 2);
        QCOMPARE(exact[0].last().x(), double((t0 + 1202) * ms));
        QCOMPARE(exact[1].first().x(), double((t0 + 5000) * ms));
        const CurveSegments reduced = curveOf(store, PD, t0, t0 + 8000, 1200);
        QCOMPARE(reduced.size(), 2);
        const double columnMs = 8000.0 * ms / (1200 / CurveReduction::pixelsPerColumn);
        QVERIFY(reduced[0].last().x() < (t0 + 1203) * ms + columnMs);
        QVERIFY(reduced[1].first().x() > (t0 + 5000) * ms - columnMs);
    }

    void nothingIsDrawnOutsideTheRecordingOrOnAnEmptyPlot() {
        SampleStore store;
        QVERIFY(curveOf(store, VBUS, t0, t0 + 10, 1000).isEmpty());
        appendRun(store, t0, 100, 6);
        QVERIFY(curveOf(store, VBUS, t0, t0 + 10, 0).isEmpty());
        QVERIFY(curveOf(store, VBUS, t0 + 10, t0 + 10, 500).isEmpty());
        // Before the recording only its first record, beyond the edge, is there: no line.
        QVERIFY(pointCount(curveOf(store, VBUS, t0 - 500, t0 - 100, 500)) <= 1);
    }

    // Records keep whole seconds: a timer that jitters across a second boundary, or a file
    // exported twice, puts two or three records in one second. Every one stays in the
    // store; the curve never turns them into NaN, smoothed or not.
    void recordsSharingASecondNeverMakeNaN_data() {
        QTest::addColumn<QVector<int>>("perSecond"); // records in each second, repeating
        QTest::newRow("timer jitter") << QVector<int>{1, 1, 1, 1, 1, 1, 2, 0};
        QTest::newRow("file exported twice") << QVector<int>{2};
        QTest::newRow("three in a second") << QVector<int>{3, 1, 0, 1};
    }
    void recordsSharingASecondNeverMakeNaN() {
        QFETCH(QVector<int>, perSecond);
        SampleStore store;
        SampleStore::Values values{};
        for (int s = 0; s < 60; ++s) {
            for (int n = 0; n < perSecond[s % perSecond.size()]; ++n) {
                values[VBUS] = 5.0f + 0.02f * float(store.size()); // ramping 20 mV a sample
                store.append(t0 + s, values);
            }
        }
        const double top = values[VBUS];
        for (int width : {1200, 300, 60}) {
            const CurveSegments curve = curveOf(store, VBUS, t0, t0 + 60, width);
            QVERIFY(pointCount(curve) > 0);
            for (const QVector<QPointF>& segment : curve) {
                for (const QPointF& p : segment)
                    QVERIFY2(p.y() >= 5.0 && p.y() <= top && std::isfinite(p.x()),
                             qPrintable(QString("%1 px: %2").arg(width).arg(p.y())));
            }
            QCOMPARE(curve.size(), 1);
        }
    }

    void monotoneSlopesNeverLetAnIntervalOvershoot() {
        QRandomGenerator random(8);
        QVector<QPointF> samples;
        for (int i = 0; i < 200; ++i)
            samples.append(QPointF(i, random.bounded(3) == 0 ? samples.value(i - 1).y()
                                                             : random.bounded(100.0)));
        const QVector<double> m = MonotoneCurve::tangents(samples);
        for (int i = 0; i + 1 < samples.size(); ++i) {
            const double d = samples[i + 1].y() - samples[i].y();
            if (d == 0) {
                QCOMPARE(m[i], 0.0);
                QCOMPARE(m[i + 1], 0.0);
                continue;
            }
            // Fritsch-Carlson: slopes share the secant's sign and lie in the circle of 3.
            const double a = m[i] / d;
            const double b = m[i + 1] / d;
            QVERIFY(a >= 0 && b >= 0);
            QVERIFY(a * a + b * b <= 9.0 + 1e-9);
        }
        const QVector<QPointF> line = MonotoneCurve::polyline(samples, 0.1);
        QCOMPARE(line.first(), samples.first());
        QCOMPARE(line.last(), samples.last());
    }
};

QTEST_APPLESS_MAIN(CurveReductionTest)
#include "test_curve_reduction.moc"
