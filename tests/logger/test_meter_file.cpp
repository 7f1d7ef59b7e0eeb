// SPDX-License-Identifier: GPL-3.0-or-later
// A meter's recording cut at local midnight, on days of 23 and 25 hours and on a day
// whose midnight does not exist.
#include "CsvReader.h"
#include "MeterFile.h"

#include <QtTest>

#include <ctime>

namespace {

constexpr qint64 stepSecs = 600;

qint64 localSecs(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toSecsSinceEpoch();
}

} // namespace

class MeterFileTest : public QObject {
    Q_OBJECT
private slots:
    void splitStartsEachFileAtTheFirstSampleOfALocalDay_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("firstOfNextDay");
        QTest::newRow("23-hour day") << QByteArray("Europe/Berlin") << "2024-03-30T22:00:00"
                                     << "2024-03-31_00:00:00";
        QTest::newRow("25-hour day") << QByteArray("Europe/Berlin") << "2024-10-26T22:00:00"
                                     << "2024-10-27_00:00:00";
        QTest::newRow("no midnight") << QByteArray("America/Sao_Paulo") << "2018-11-03T22:00:00"
                                     << "2018-11-04_01:00:00";
    }
    // Samples every 10 minutes for two days from 22:00: three files, each whole.
    void splitStartsEachFileAtTheFirstSampleOfALocalDay() {
        QFETCH(QByteArray, zone);
        QFETCH(QString, from);
        QFETCH(QString, firstOfNextDay);
        qputenv("TZ", zone);
        tzset();
        QTemporaryDir dir;
        QString error;
        const std::optional<OutputPlan> plan = OutputPlan::make(dir.path(), true, error);
        QVERIFY2(plan, qPrintable(error));
        MeterFile file(*plan, QStringLiteral("0123456789"), 1);
        const qint64 start = localSecs(from.toLatin1().constData());
        const int samples = 2 * 24 * 6;
        for (int i = 0; i < samples; ++i)
            QVERIFY(file.write(start + i * stepSecs, {float(i)}));
        file.close();

        QCOMPARE(file.files().size(), 3);
        int total = 0;
        for (int part = 0; part < 3; ++part) {
            SampleStore store;
            QCOMPARE(CsvReader::read(file.files()[part], store).skipped, 0);
            const QDateTime first = QDateTime::fromSecsSinceEpoch(store.timeAt(0));
            QCOMPARE(first.date(),
                     QDateTime::fromSecsSinceEpoch(store.timeAt(store.size() - 1)).date());
            if (part == 1)
                QCOMPARE(first.toString("yyyy-MM-dd_hh:mm:ss"), firstOfNextDay);
            QCOMPARE(store.value(0, 0), float(total));
            total += store.size();
        }
        QCOMPARE(total, samples);
    }
};

QTEST_GUILESS_MAIN(MeterFileTest)
#include "test_meter_file.moc"
