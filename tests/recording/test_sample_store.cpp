// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleStore.h"

#include <QTest>

namespace {

// Record r, channel k holds r * 10 + k, so a value in the wrong place shows.
SampleStore::Values record(int r) {
    SampleStore::Values values{};
    for (int k = 0; k < recordedChannelCount; ++k)
        values[k] = float(r * 10 + k);
    return values;
}

constexpr qint64 day = 86400;
constexpr qint64 t0 = 1709647629; // 2024-03-05 14:07:09 UTC

} // namespace

class SampleStoreTest : public QObject {
    Q_OBJECT

private slots:
    void everyColumnHoldsItsRecordsInOrderUntilCleared() {
        SampleStore store;
        for (int r = 0; r < 3; ++r)
            store.append(t0 + r, record(r));
        QCOMPARE(store.size(), 3);
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(store.timeAt(r), t0 + r);
            QCOMPARE(store.record(r), record(r));
            for (int k = 0; k < recordedChannelCount; ++k)
                QCOMPARE(store.value(k, r), float(r * 10 + k));
        }
        store.clear();
        QVERIFY(store.isEmpty());
        // A base kept from the old run would put this time far from its true value.
        const qint64 years = t0 + 40 * 365 * day;
        store.append(years, record(7));
        QCOMPARE(store.timeAt(0), years);
        QCOMPARE(store.record(0), record(7));
    }

    void aRecordTooFarFromTheFirstIsLeftOutNotWrapped() {
        constexpr qint64 reach = (qint64(1) << 31) - 1;
        SampleStore store;
        QVERIFY(store.append(t0, record(0)));
        QVERIFY(store.append(t0 + reach, record(1)));
        QVERIFY(store.append(t0 - reach - 1, record(2)));
        QVERIFY(!store.append(t0 + reach + 1, record(3)));
        QVERIFY(!store.append(t0 - reach - 2, record(4)));
        QCOMPARE(store.size(), 3);
        QCOMPARE(store.timeAt(1), t0 + reach);
        QCOMPARE(store.timeAt(2), t0 - reach - 1);
    }
};

QTEST_APPLESS_MAIN(SampleStoreTest)
#include "test_sample_store.moc"
