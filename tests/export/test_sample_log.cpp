#include "SampleLog.h"

#include <QTest>

namespace {

// Record r, channel k holds r * 10 + k, so a value in the wrong place shows.
std::array<float, recordedChannelCount> record(int r) {
    std::array<float, recordedChannelCount> values{};
    for (int k = 0; k < recordedChannelCount; ++k)
        values[k] = float(r * 10 + k);
    return values;
}

QString timeOf(int r) {
    return QStringLiteral("2024-03-05_14:07:%1").arg(r, 2, 10, QChar('0'));
}

// Every vector holds exactly the records `rs`, in order.
void verifyRecords(const SampleLog& log, const QVector<int>& rs) {
    QCOMPARE(log.size(), rs.size());
    QCOMPARE(log.times().size(), rs.size());
    for (int i = 0; i < rs.size(); ++i)
        QCOMPARE(log.times().at(i), timeOf(rs[i]));
    for (int k = 0; k < recordedChannelCount; ++k) {
        QCOMPARE(log.values(k).size(), rs.size());
        for (int i = 0; i < rs.size(); ++i)
            QCOMPARE(log.values(k).at(i), float(rs[i] * 10 + k));
    }
}

} // namespace

class SampleLogTest : public QObject {
    Q_OBJECT

private slots:
    void appendAndClearKeepEveryVectorInStep() {
        SampleLog log;
        for (int r = 0; r < 3; ++r)
            log.append(timeOf(r), record(r));
        verifyRecords(log, {0, 1, 2});

        log.clear();
        verifyRecords(log, {});
        log.append(timeOf(7), record(7));
        verifyRecords(log, {7});
    }
};

QTEST_APPLESS_MAIN(SampleLogTest)
#include "test_sample_log.moc"
