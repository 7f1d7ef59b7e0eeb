// SPDX-License-Identifier: GPL-3.0-or-later
#include "Acquisition.h"
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
        acquisition = std::make_unique<Acquisition>(nullptr);
        reading = MeterReading();
        now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    }
    void cleanup() {
        acquisition.reset();
        workDir.reset();
    }

    // Samples are taken only while running and once the meter has answered.
    void samplesAreRecordedOnlyWhileRunningAndAfterTheMeterAnswered() {
        acquisition->readingArrived();
        record(2); // not running
        QCOMPARE(acquisition->log().size(), 0);
        acquisition->meterConnected();
        record(2); // a reading of zeros that the meter never sent
        QCOMPARE(acquisition->log().size(), 0);
        reading.vbus = 5.08f;
        reading.cpuTemp = 36.5f;
        acquisition->readingArrived();
        record(3);
        QCOMPARE(acquisition->log().size(), 3);
        QCOMPARE(acquisition->log().timeAt(0), now.addSecs(-3).toSecsSinceEpoch());
        QCOMPARE(acquisition->log().value(VBUS, 2), 5.08f);
        QCOMPARE(acquisition->log().value(CPU_TEMP, 2), 36.5f);
    }

    void aLostMeterPausesAndItsReturnResumesTheSameRun() {
        QSignalSpy changes(acquisition.get(), &Acquisition::runningChanged);
        connectAnsweringMeter();
        QVERIFY(acquisition->isRunning());
        record(5);
        acquisition->meterLost();
        QVERIFY(!acquisition->isRunning());
        record(2); // the meter is away: nothing is recorded
        acquisition->meterConnected();
        QVERIFY(acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 5);
        record(1); // the meter is back, but has not answered yet
        QCOMPARE(acquisition->log().size(), 5);
        acquisition->readingArrived();
        record(1);
        QCOMPARE(acquisition->log().size(), 6);
        QCOMPARE(changes.count(), 3);
    }

    // Only a meter's return resumes a run: after Stop, or Run pressed while the meter is
    // away, the next run starts afresh.
    void aStopOrRunPressedWhileTheMeterIsAwayStartsAfresh() {
        connectAnsweringMeter();
        record(4);
        acquisition->toggleByUser();
        QVERIFY(!acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 4); // kept for export
        acquisition->meterLost();               // nothing was running
        connectAnsweringMeter();
        QVERIFY(acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 0);
        record(4);
        acquisition->meterLost();
        acquisition->toggleByUser();
        QVERIFY(acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 0);
        record(1);               // no meter: nothing to record
        connectAnsweringMeter(); // already running: the run goes on
        record(1);
        QCOMPARE(acquisition->log().size(), 1);
    }

    // An opened recording ends the run it replaces and stays shown while a meter comes and
    // goes; after Run, meters resume runs again.
    void anOpenedRecordingEndsTheRunAndRunLetsMetersResumeAgain() {
        QSignalSpy ended(acquisition.get(), &Acquisition::runEnded);
        acquisition->meterConnected();
        SampleStore opened;
        opened.append(1000, {});
        acquisition->openRecording(std::move(opened));
        QCOMPARE(ended.count(), 1); // its journal is closed
        acquisition->meterLost();
        connectAnsweringMeter();
        QVERIFY(!acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 1);
        acquisition->toggleByUser();
        acquisition->meterLost();
        acquisition->meterConnected();
        QVERIFY(acquisition->isRunning());
    }

private:
    void connectAnsweringMeter() {
        acquisition->meterConnected();
        acquisition->readingArrived();
    }
    void record(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            acquisition->recordSample(now, reading);
            now = now.addSecs(1);
        }
    }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<Acquisition> acquisition;
    MeterReading reading;
    QDateTime now;
};

QTEST_MAIN(AcquisitionTest)
#include "test_acquisition.moc"
