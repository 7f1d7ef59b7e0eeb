#include "Acquisition.h"
#include "FileSizeLimit.h"
#include "JournalFormat.h"
#include "JournalReader.h"
#include "RecordSeconds.h"
#include "RunJournal.h"
#include "ScopedWorkDir.h"
#include "TipsBar.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QWidget>
#include <QtTest>

// The journal follows the acquisition's runs: what is recorded is on disk, a stop or a
// normal exit marks it clean, and when it cannot be written the recording goes on.
class RunJournalTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        window = std::make_unique<QWidget>();
        tips = new QLabel(QStringLiteral("Tips:Hello!"), window.get());
        acquisition = std::make_unique<Acquisition>(nullptr);
        path = workDir->filePath(QStringLiteral("data/app/recording.journal"));
        journal =
            new RunJournal(acquisition.get(), path, new TipsBar(tips, window.get()), window.get());
        now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        reading = MeterReading();
        reading.vbus = 5.1f;
    }
    void cleanup() {
        window.reset();
        acquisition.reset();
        workDir.reset();
    }

    void aRunIsJournalledAcrossAPauseAndMarkedCleanWhenStopped() {
        acquisition->toggleByUser();
        record(3);
        QCOMPARE(readJournal(path).samples.size(), 3);
        QVERIFY(!readJournal(path).clean);
        acquisition->meterLost();
        acquisition->meterConnected(); // the same run resumes
        record(2);
        acquisition->toggleByUser();
        const JournalContents contents = readJournal(path);
        QVERIFY(contents.clean);
        QCOMPARE(contents.samples.size(), 5);
        QCOMPARE(contents.samples.timeAt(4), now.addSecs(-1).toSecsSinceEpoch());
        QCOMPARE(contents.samples.value(VBUS, 4), 5.1f);
        QCOMPARE(tips->text(), QString("Tips:Hello!"));
    }

    void theNextRunReplacesACleanJournal() {
        acquisition->toggleByUser();
        record(4);
        acquisition->toggleByUser();
        acquisition->toggleByUser();
        record(1);
        QCOMPARE(readJournal(path).samples.size(), 1);
    }

    // A stray close after hours must not lose the run: it is left to be offered.
    void closingTheProgramInTheMiddleOfARunLeavesItUnended() {
        acquisition->meterConnected();
        record(2);
        window.reset(); // the journal goes with its window
        QVERIFY(!readJournal(path).clean);
        QCOMPARE(readJournal(path).samples.size(), 2);
    }

    void closingTheProgramAfterAStopLeavesTheRunEnded() {
        acquisition->meterConnected();
        record(2);
        acquisition->toggleByUser();
        window.reset();
        QVERIFY(readJournal(path).clean);
    }

    void aFolderThatCannotBeWrittenLeavesTheRecordingInMemory() {
        QFile blocker(workDir->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        journal = new RunJournal(acquisition.get(), blocker.fileName() + "/recording.journal",
                                 new TipsBar(tips, window.get()), window.get());
        acquisition->toggleByUser();
        record(3);
        QCOMPARE(acquisition->log().size(), 3);
        QVERIFY(!journal->isWriting());
        // The system's reason in the program's language.
        QCOMPARE(tips->text(), QString("记录日志已关闭（不是目录），本次记录只保存在内存中"));
    }

    void aFullDiskStopsTheJournalWithAMessageAndTheRecordingGoesOn() {
        acquisition->toggleByUser();
        {
            const FileSizeLimit full(Journal::headerSize + 4 * Journal::recordSize + 9);
            record(6);
        }
        QCOMPARE(acquisition->log().size(), 6);
        QVERIFY(acquisition->isRunning());
        QVERIFY(!journal->isWriting());
        QVERIFY(tips->text().startsWith(QString("记录日志已关闭")));
        QTRY_VERIFY(window->findChild<QMessageBox*>() != nullptr);
        QVERIFY(window->findChild<QMessageBox*>()->text().startsWith("记录日志写入失败"));
        record(1);
        QCOMPARE(window->findChildren<QMessageBox*>().size(), 1); // said once
        // What is left on disk is test_journal's aFullDiskStopsTheJournalOnAWholeRecord.
    }

private:
    void record(int seconds) { recordSeconds(*acquisition, now, reading, seconds); }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<Acquisition> acquisition;
    QLabel* tips = nullptr;
    RunJournal* journal = nullptr;
    QString path;
    QDateTime now;
    MeterReading reading;
};

QTEST_MAIN(RunJournalTest)
#include "test_run_journal.moc"
