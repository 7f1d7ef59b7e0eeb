#include "SampleLog.h"

#include <QDateTime>
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

void verifyAllVectorsHaveLength(const SampleLog& log, int length) {
    QCOMPARE(log.size(), length);
    QCOMPARE(log.times().size(), length);
    for (int k = 0; k < recordedChannelCount; ++k)
        QCOMPARE(log.values(k).size(), length);
}

} // namespace

class SampleLogTest : public QObject {
    Q_OBJECT

private slots:
    void appendAddsOneElementToEveryVectorInOrder() {
        SampleLog log;
        for (int r = 0; r < 3; ++r) {
            log.append(timeOf(r), record(r));
            verifyAllVectorsHaveLength(log, r + 1);
        }
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(log.times().at(r), timeOf(r));
            for (int k = 0; k < recordedChannelCount; ++k)
                QCOMPARE(log.values(k).at(r), float(r * 10 + k));
        }
    }

    void appendTakesReadingChannelsInDecoderOrder() {
        MeterReading reading;
        reading.vbus = 5.1f;
        reading.ibus = 0.25f;
        reading.power = 1.275f;
        reading.dp = 0.6f;
        reading.dm = 0.55f;
        reading.cc1 = 1.7f;
        reading.cc2 = 0.001f;
        reading.cpuTemp = 36.5f;
        reading.ntcTemp = 25.0f;

        SampleLog log;
        log.append(timeOf(0), reading.recordedChannels());

        QCOMPARE(log.values(VBUS).at(0), 5.1f);
        QCOMPARE(log.values(IBUS).at(0), 0.25f);
        QCOMPARE(log.values(POWER).at(0), 1.275f);
        QCOMPARE(log.values(PD).at(0), 0.6f);
        QCOMPARE(log.values(PM).at(0), 0.55f);
        QCOMPARE(log.values(CC1).at(0), 1.7f);
        QCOMPARE(log.values(CC2).at(0), 0.001f);
        QCOMPARE(log.values(CPU_TEMP).at(0), 36.5f);
    }

    void clearEmptiesEveryVector() {
        SampleLog log;
        for (int r = 0; r < 5; ++r)
            log.append(timeOf(r), record(r));
        log.clear();
        verifyAllVectorsHaveLength(log, 0);
    }

    void recordingAfterClearStartsAtTheFirstRecord() {
        SampleLog log;
        log.append(timeOf(0), record(0));
        log.append(timeOf(1), record(1));
        log.clear();
        log.append(timeOf(7), record(7));
        verifyAllVectorsHaveLength(log, 1);
        QCOMPARE(log.times().at(0), timeOf(7));
        for (int k = 0; k < recordedChannelCount; ++k)
            QCOMPARE(log.values(k).at(0), float(70 + k));
    }

    void timeStampFormatIsDateUnderscoreTime() {
        const QDateTime time(QDate(2024, 3, 5), QTime(14, 7, 9));
        QCOMPARE(time.toString(QString::fromLatin1(SampleLog::timeFormat)),
                 QStringLiteral("2024-03-05_14:07:09"));
    }
};

QTEST_APPLESS_MAIN(SampleLogTest)
#include "tst_sample_log.moc"
