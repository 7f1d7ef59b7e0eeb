// SPDX-License-Identifier: GPL-3.0-or-later
#include "Acquisition.h"
#include "ChartFiles.h"
#include "DialogAnswers.h"
#include "FileSizeLimit.h"
#include "JournalFormat.h"
#include "JournalReader.h"
#include "RecordSeconds.h"
#include "RunJournal.h"
#include "ScopedWorkDir.h"
#include "TipsBar.h"
#include "saveDataDeal.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTranslator>
#include <QWidget>
#include <QtTest>

using RunState = JournalContents::RunState;

// The journal follows the acquisition's recordings: what is recorded is on disk until it is
// saved to a file; a recording that a new run or an opened file replaces stays as the
// previous one; when the journal cannot be written the recording goes on.
class RunJournalTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        window = std::make_unique<QWidget>();
        tips = new QLabel(QStringLiteral("Tips:Hello!"), window.get());
        acquisition = std::make_unique<Acquisition>(nullptr);
        tipsBar = new TipsBar(tips, window.get());
        files = new ChartFiles(window.get(), acquisition.get(), tipsBar, window.get());
        files->setFileDialogs(
            [this](QWidget*, const ChartFiles::FileQuestion&) { return csvPath(); }, {});
        journal =
            new RunJournal(acquisition.get(), workDir->filePath("data/app"), tipsBar, window.get());
        journal->follow(files);
        now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    }
    void cleanup() {
        window.reset();
        acquisition.reset();
        workDir.reset();
    }

    void aRunIsJournalledAcrossAPauseAndMarkedStoppedWhenStopped() {
        acquisition->toggleByUser();
        record(3);
        const QString path = journal->currentPath();
        acquisition->meterLost();
        acquisition->meterConnected(); // the same run resumes
        record(2);
        acquisition->toggleByUser();
        const JournalContents contents = readJournal(path);
        QCOMPARE(contents.state, RunState::Stopped);
        QCOMPARE(contents.samples.size(), 5);
        QCOMPARE(contents.samples.timeAt(4), now.addSecs(-1).toSecsSinceEpoch());
        QCOMPARE(tips->text(), QString("Tips:Hello!"));
    }

    // Run, Stop, Run: the first recording is the previous one, on disk and opened again from
    // there, the second taking its place; a third run lets the oldest go. A stray close
    // after hours loses neither the previous recording nor the running one.
    void aNewRunKeepsTheUnsavedRecordingAsThePreviousOne() {
        acquisition->toggleByUser();
        record(4);
        const QString first = journal->currentPath();
        acquisition->toggleByUser();
        acquisition->toggleByUser();
        record(2);
        const QString second = journal->currentPath();
        QCOMPARE(journal->previousPath(), first);
        QCOMPARE(readJournal(first).samples.size(), 4);
        QVERIFY(journal->openPrevious());
        QVERIFY(!acquisition->isRunning());
        QCOMPARE(acquisition->log().size(), 4);
        QCOMPARE(journal->previousPath(), second);
        QCOMPARE(readJournal(second).state, RunState::Stopped);
        acquisition->toggleByUser();
        QCOMPARE(journal->previousPath(), first);
        const QDir folder = QFileInfo(first).dir();
        QCOMPARE(folder.entryList({"*.journal"}).size(), 2); // second's name may be reused
        QCOMPARE(readJournal(journal->currentPath()).samples.size(), 0);
        record(1);
        const QString running = journal->currentPath();
        window.reset(); // the journal goes with its window
        QCOMPARE(readJournal(first).state, RunState::Stopped);
        QCOMPARE(readJournal(running).state, RunState::Running);
        QCOMPARE(readJournal(running).samples.size(), 1);
        QVERIFY(!QFile::exists(running + ".lock"));
    }

    // A saved recording needs no journal: export after Stop removes it, and the next run
    // keeps no previous recording.
    void anExportedRecordingLeavesNoJournal() {
        acquisition->toggleByUser();
        record(3);
        const QString path = journal->currentPath();
        acquisition->toggleByUser();
        DialogAnswers dialogs;
        QString title, text;
        dialogs.expect(DialogAnswers::acknowledge(&title, &text)); // "record more first"
        QVERIFY(files->exportData());
        QVERIFY(!QFile::exists(path));
        acquisition->toggleByUser();
        QVERIFY(!journal->hasPrevious());
    }

    // Opening a file over unsaved samples asks, in either language; cancel keeps the log,
    // replace keeps the replaced recording on disk as the previous one.
    void openingAFileOverUnsavedSamplesAsksFirst() {
        SampleStore saved;
        saved.append(now.toSecsSinceEpoch(), {});
        QVERIFY(saveDataDeal::saveData(saved, csvPath()).ok);
        acquisition->toggleByUser();
        record(3);
        DialogAnswers dialogs;
        QStringList chinese, english;
        dialogs.expect(DialogAnswers::press(QStringLiteral("取消"), &chinese));
        QVERIFY(!files->openData(csvPath()));
        QCOMPARE(acquisition->log().size(), 3);
        QVERIFY(acquisition->isRunning());
        QTranslator translator;
        QVERIFY(translator.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&translator);
        dialogs.expect(DialogAnswers::press(QStringLiteral("Replace"), &english));
        const QString replaced = journal->currentPath();
        QVERIFY(files->openData(csvPath()));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(dialogs.unanswered() + dialogs.unexpected(), 0);
        chinese.sort();
        english.sort();
        QCOMPARE(chinese, QStringList({"先保存", "取消", "替换"}));
        QCOMPARE(english, QStringList({"Cancel", "Replace", "Save first"}));
        QCOMPARE(acquisition->log().size(), 1);
        QCOMPARE(journal->previousPath(), replaced);
        QCOMPARE(readJournal(replaced).samples.size(), 3);
        QVERIFY(files->openData(csvPath())); // a file's recording is saved: not asked
        QCOMPARE(dialogs.unexpected(), 0);
    }

    void aFolderThatCannotBeWrittenLeavesTheRecordingInMemory() {
        QFile blocker(workDir->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        journal = new RunJournal(acquisition.get(), blocker.fileName(), tipsBar, window.get());
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
    void record(int seconds) { recordSeconds(*acquisition, now, MeterReading(), seconds); }
    QString csvPath() const { return workDir->filePath("saved.csv"); }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<Acquisition> acquisition;
    QLabel* tips = nullptr;
    TipsBar* tipsBar = nullptr;
    ChartFiles* files = nullptr;
    RunJournal* journal = nullptr;
    QDateTime now;
};

QTEST_MAIN(RunJournalTest)
#include "test_run_journal.moc"
