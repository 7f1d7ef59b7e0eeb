// SPDX-License-Identifier: GPL-3.0-or-later
#include "MinMaxPyramid.h"
#include "SampleStore.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

constexpr qint64 t0 = 1709647629;

void fill(SampleStore& store, int records, quint32 seed) {
    QRandomGenerator random(seed);
    for (int r = 0; r < records; ++r) {
        SampleStore::Values values{};
        for (float& v : values)
            v = static_cast<float>(random.bounded(100000)) / 1000.0f;
        store.append(t0 + store.size(), values);
    }
}

} // namespace

// Spans of random stretches are compared with a full scan by test_range_statistics.
class MinMaxPyramidTest : public QObject {
    Q_OBJECT

private slots:
    void valuesThatAreNoMeasurementAreLeftOut() {
        SampleStore store;
        SampleStore::Values values{};
        values[IBUS] = 1.5f;
        for (int r = 0; r < 100; ++r) {
            values[VBUS] = (r == 40) ? std::nanf("") : (r == 41 ? INFINITY : 5.0f + r % 3);
            values[POWER] = std::nanf("");
            store.append(t0 + r, values);
        }
        MinMaxPyramid pyramid;
        pyramid.sync(store);
        const ValueSpan volts = pyramid.span(store, VBUS, 0, 100);
        QCOMPARE(volts.min, 5.0f);
        QCOMPARE(volts.max, 7.0f);
        QVERIFY(pyramid.span(store, POWER, 0, 100).isEmpty());
        QCOMPARE(pyramid.span(store, IBUS, 10, 90).max, 1.5f);
        QVERIFY(pyramid.span(store, IBUS, 50, 50).isEmpty());
    }

    // Records appended since the last sync are read from the store.
    void aClearedStoreStartsThePyramidAgainAndUnsyncedRecordsCount() {
        SampleStore store;
        MinMaxPyramid pyramid;
        fill(store, 1000, 3);
        pyramid.sync(store);
        store.clear();
        SampleStore::Values values{};
        for (int r = 0; r < 100; ++r)
            store.append(t0 + r, values);
        pyramid.sync(store);
        QCOMPARE(pyramid.span(store, VBUS, 0, 100).max, 0.0f);
        values[VBUS] = 500.0f;
        store.append(t0 + 100, values);
        fill(store, 63, 2);
        QCOMPARE(pyramid.span(store, VBUS, 0, store.size()).max, 500.0f);
    }

    void aWeekCostsAFewBytesARecord() {
        SampleStore store;
        MinMaxPyramid pyramid;
        fill(store, 604800, 4);
        pyramid.sync(store);
        const double bytesPerRecord = double(pyramid.memoryBytes()) / store.size();
        QVERIFY2(bytesPerRecord < 8.0, qPrintable(QString::number(bytesPerRecord)));
    }
};

QTEST_APPLESS_MAIN(MinMaxPyramidTest)
#include "test_min_max_pyramid.moc"
