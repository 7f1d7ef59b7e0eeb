#include "Acquisition.h"
#include "ChartPanel.h"
#include "RecordSeconds.h"
#include "ScopedWorkDir.h"

#include <QSignalSpy>
#include <QtTest>

// Recording state: a run paused by a lost meter resumes with its samples; any other
// start begins afresh.
class AcquisitionTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        chart = std::make_unique<ChartPanel>(nullptr);
        acquisition = std::make_unique<Acquisition>(chart.get());
        reading = MeterReading();
        now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    }
    void cleanup() {
        acquisition.reset();
        chart.reset();
        workDir.reset();
    }

    void samplesAreRecordedOnlyWhileRunning() {
        record(2);
        QCOMPARE(acquisition->log().size(), 0);
        acquisition->toggleByUser();
        reading.vbus = 5.1f;
        reading.cpuTemp = 36.5f;
        record(3);
        QCOMPARE(acquisition->log().size(), 3);
        QCOMPARE(chart->pointCount(VBUS), 3);
        QCOMPARE(chart->pointCount(CPU_TEMP), 3);
        QCOMPARE(acquisition->log().timeAt(0), now.addSecs(-3).toSecsSinceEpoch());
        QCOMPARE(acquisition->log().value(VBUS, 2), 5.1f);
        QCOMPARE(acquisition->log().value(CPU_TEMP, 2), 36.5f);
    }

    void aLostMeterPausesAndItsReturnResumesTheSameRun() {
        QSignalSpy changes(acquisition.get(), &Acquisition::runningChanged);
        acquisition->meterConnected();
        QVERIFY(acquisition->isRunning());
        record(5);
        acquisition->meterLost();
        QVERIFY(!acquisition->isRunning());
        record(2); // the meter is away: nothing is recorded
        acquisition->meterConnected();
        QVERIFY(acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 5);
        QCOMPARE(chart->pointCount(IBUS), 5);
        record(1);
        QCOMPARE(acquisition->log().size(), 6);
        QCOMPARE(changes.count(), 3);
    }

    void afterAUserStopTheNextConnectionStartsAfresh() {
        acquisition->meterConnected();
        record(4);
        acquisition->toggleByUser();
        QVERIFY(!acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 4); // kept for export
        acquisition->meterLost();               // nothing was running
        acquisition->meterConnected();
        QVERIFY(acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 0);
        QCOMPARE(chart->pointCount(VBUS), 0);
    }

    void pressingRunAfterAnInterruptionStartsAfresh() {
        acquisition->meterConnected();
        record(4);
        acquisition->meterLost();
        acquisition->toggleByUser();
        QVERIFY(acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 0);
        record(1);
        acquisition->meterConnected(); // already running: changes nothing
        QCOMPARE(acquisition->log().size(), 1);
    }

    // A recovered recording replaces the running one, stopped, in the log and the chart.
    void aShownRecordingEndsTheRunAndIsKeptStopped() {
        QSignalSpy ended(acquisition.get(), &Acquisition::runEnded);
        acquisition->meterConnected();
        record(2);
        SampleStore earlier;
        for (int i = 0; i < 4; ++i)
            earlier.append(1709647629 + i, {float(i), 1.0f});
        acquisition->showRecording(std::move(earlier));
        QVERIFY(!acquisition->isRunning());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(acquisition->log().size(), 4);
        QCOMPARE(acquisition->log().value(VBUS, 3), 3.0f);
        QCOMPARE(chart->pointCount(IBUS), 4);
        acquisition->showRecording(SampleStore(acquisition->log()));
        QCOMPARE(chart->pointCount(IBUS), 4); // the chart starts again with the recording
        acquisition->meterLost();
        acquisition->meterConnected(); // not an interrupted run: a fresh one starts
        QCOMPARE(acquisition->log().size(), 0);
    }

    // A recovered run of days reaches the chart thinned; the log keeps every sample.
    void aLongRecordingIsDrawnThinnedAndKeptWhole() {
        SampleStore days;
        for (int i = 0; i < 5000; ++i)
            days.append(1709647629 + i, {float(i)});
        acquisition->showRecording(std::move(days));
        QCOMPARE(acquisition->log().size(), 5000);
        QVERIFY(chart->pointCount(VBUS) >= 500 && chart->pointCount(VBUS) <= 1001);
        QCOMPARE(acquisition->log().value(VBUS, 4999), 4999.0f);
    }

private:
    void record(int seconds) { recordSeconds(*acquisition, now, reading, seconds); }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<ChartPanel> chart;
    std::unique_ptr<Acquisition> acquisition;
    MeterReading reading;
    QDateTime now;
};

QTEST_MAIN(AcquisitionTest)
#include "test_acquisition.moc"
