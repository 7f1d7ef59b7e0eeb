// SPDX-License-Identifier: GPL-3.0-or-later
#include "Acquisition.h"
#include "ChartFiles.h"
#include "ChartPanel.h"
#include "CsvReader.h"
#include "CurveStyles.h"
#include "CustomRanges.h"
#include "DialogAnswers.h"
#include "FileSizeLimit.h"
#include "JournalFormat.h"
#include "JournalReader.h"
#include "RecordSeconds.h"
#include "RunJournal.h"
#include "ScopedWorkDir.h"
#include "TipsBar.h"
#include "saveDataDeal.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTranslator>
#include <QtCharts/QChartView>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

using RunState = JournalContents::RunState;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The chart's files as the user meets them: reminder, file dialogs, silent success, a
// warning naming the file on failure, opening a recording again. And the journal that
// follows the recordings: what is recorded is on disk until it is saved to a file; a
// recording that a new run or an opened file replaces stays as the previous one; when the
// journal cannot be written the recording goes on.
class ChartFilesTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        // A home of the test's own, with a documents folder for the file dialogs to start in.
        qputenv("HOME", workDir->path().toLocal8Bit());
        QVERIFY(QDir(workDir->path()).mkpath("Documents"));
        window = std::make_unique<QWidget>();
        tips = new QLabel(QStringLiteral("Tips:Hello!"), window.get());
        chart = std::make_unique<ChartPanel>(nullptr, &ranges, &styles);
        acquisition = std::make_unique<Acquisition>(chart.get());
        tipsBar = new TipsBar(tips, window.get());
        files = std::make_unique<ChartFiles>(window.get(), acquisition.get(), tipsBar, nullptr);
        questions.clear();
        answer.clear();
        const auto ask = [this](QWidget*, const ChartFiles::FileQuestion& q) {
            questions << q;
            return answer;
        };
        files->setFileDialogs(ask, ask);
        journal =
            new RunJournal(acquisition.get(), workDir->filePath("data/app"), tipsBar, window.get());
        journal->follow(files.get());
        now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        dialogs = std::make_unique<DialogAnswers>();
    }
    void cleanup() {
        QCOMPARE(dialogs->unexpected(), 0);
        QCOMPARE(dialogs->unanswered(), 0);
        dialogs.reset();
        window.reset(); // the journal with it, while what it follows is still there
        files.reset();
        acquisition.reset();
        chart.reset();
        workDir.reset();
    }

    // Below twenty records the reminder comes, then the save dialog, which starts in the
    // documents folder (not the program's own). Cancelled dialogs write and change nothing.
    void aShortLogIsRemindedAndCancelledDialogsChangeNothing() {
        record(19);
        QString title, text;
        dialogs->expect(DialogAnswers::acknowledge(&title, &text));
        files->exportData();
        QCOMPARE(title, QString("提示信息"));
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].directory, documents());
        files->exportImage(chart->view());
        files->openDataFromDialog();
        QCOMPARE(questions.size(), 3);
        QCOMPARE(QDir(workDir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                 QStringList());
        QCOMPARE(acquisition->log().size(), 19);
        QVERIFY(acquisition->isRunning());
    }

    void aFailedExportNamesTheFileAndKeepsTheLog() {
        record(20);
        answer = workDir->filePath("missing/run.csv");
        QString title, text;
        dialogs->expect(DialogAnswers::acknowledge(&title, &text));
        files->exportData();
        QCOMPARE(title, QString("保存失败"));
        QCOMPARE(
            text,
            QString("无法写入文件 %1：没有那个文件或目录").arg(QDir::toNativeSeparators(answer)));
        QCOMPARE(acquisition->log().size(), 20);
        answer = workDir->filePath("run.csv");
        files->exportData();
        QCOMPARE(contentOf(answer).count("\r\n"), 4 + 20);
    }

    // A name without suffix is saved as PNG all the same; an unknown kind is reported and
    // leaves no file.
    void theImageIsTheChartViewAtItsSizeAndAFailedOneLeavesNoFile() {
        chart->view()->resize(480, 320);
        answer = workDir->filePath("chart");
        files->exportImage(chart->view());
        QCOMPARE(questions[0].directory, documents() + "/chart");
        const QImage image(answer, "png");
        QCOMPARE(image.size(), chart->view()->size() * chart->view()->devicePixelRatioF());
        answer = workDir->filePath("chart.xyz");
        QString title, text;
        dialogs->expect(DialogAnswers::acknowledge(&title, &text));
        files->exportImage(chart->view());
        QCOMPARE(title, QString("保存失败"));
        QVERIFY2(text.contains(QDir::toNativeSeparators(answer)), qPrintable(text));
        QVERIFY(!QFile::exists(answer));
    }

    // An opened file stops the run and replaces its log. Its two runs, appended the later
    // first, are both in view and in time order, and exported so; the tips bar says what was
    // skipped and sorted. Then Run: once the run holds more than ten samples the axis follows
    // it, as it does for a run that no file came before.
    void anOpenedRecordingReplacesTheLogStoppedAndCountsSkippedLines() {
        record(30);
        SampleStore first, second;
        for (int i = 0; i < 40; ++i) {
            first.append(1709647629 + i, {1.0f});
            second.append(1709647629 + 86400 + i, {2.0f});
        }
        const QString path = workDir->filePath("kept %3 %2.csv");
        QVERIFY(saveDataDeal::saveData(second, path).ok);
        QVERIFY(saveDataDeal::saveData(first, path).ok);
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("2024-13-01_00:00:00,1,2,3,4,5,6,7,8\r\nnonsense\r\n");
        file.close();
        QSignalSpy opened(files.get(), &ChartFiles::recordingOpened);
        answer = path;
        dialogs->expect(DialogAnswers::press("替换"));
        files->openDataFromDialog();
        QCOMPARE(opened.count(), 1);
        QVERIFY(!acquisition->isRunning());
        QCOMPARE(chart->timeRange(), TimeRange::ofSeconds(1709647629, 1709647629 + 86440));
        QCOMPARE(tips->text(),
                 QString("已打开 kept %3 %2.csv：80 条记录，跳过 2 行，40 行不按时间顺序，已排序"));
        answer = workDir->filePath("again.csv");
        files->exportData();
        QVERIFY(saveDataDeal::saveData(first, workDir->filePath("expected.csv")).ok);
        QVERIFY(saveDataDeal::saveData(second, workDir->filePath("expected.csv")).ok);
        QCOMPARE(contentOf(answer), contentOf(workDir->filePath("expected.csv")));
        QSignalSpy started(acquisition.get(), &Acquisition::runStarted);
        acquisition->toggleByUser();
        QCOMPARE(started.count(), 1);
        const qint64 start = started.at(0).at(0).toLongLong();
        acquisition->readingArrived();
        for (int i = 0; i < 12; ++i)
            acquisition->recordSample(QDateTime::fromSecsSinceEpoch(start + i), MeterReading());
        QCOMPARE(chart->timeRange(), TimeRange::ofSeconds(start, start + 12));
    }

    void aFileThatCannotBeShownIsReportedAndTheLogKept_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("header only") << "header"
                                     << "文件中没有可读的记录";
        QTest::newRow("too large") << "large"
                                   << "文件大于 512 MB";
        QTest::newRow("missing") << "missing"
                                 << "没有那个文件或目录";
        QTest::newRow("folder") << "folder"
                                << "不是普通文件";
        QTest::newRow("FIFO") << "fifo"
                              << "不是普通文件";
        QTest::newRow("endless device") << "/dev/zero"
                                        << "不是普通文件";
    }

    void aFileThatCannotBeShownIsReportedAndTheLogKept() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        record(5);
        const QString path = kind.startsWith('/') ? kind : workDir->filePath("bad.csv");
        if (kind == "header" || kind == "large") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(saveDataDeal::header());
            if (kind == "large") // beyond the header: sparse, no disk used
                QVERIFY(file.resize(CsvReader::maxFileBytes + 1));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        QString title, text;
        dialogs->expect(DialogAnswers::acknowledge(&title, &text));
        QSignalSpy opened(files.get(), &ChartFiles::recordingOpened);
        QVERIFY(!files->openData(path));
        QCOMPARE(title, QString("打开文件失败"));
        QCOMPARE(text, QString("无法打开文件 %1：%2").arg(QDir::toNativeSeparators(path), reason));
        QCOMPARE(acquisition->log().size(), 5);
        QVERIFY(acquisition->isRunning());
        QCOMPARE(opened.count(), 0);
        QCOMPARE(tips->text(), QString("Tips:Hello!"));
    }

    // The same file twice through the real save dialog: no "replace?" from the dialog, our
    // "append?" instead, and only the records after the file's last one are added.
    void exportingTwiceToOneFileAppendsOnlyTheNewRecords() {
        ChartFiles real(window.get(), acquisition.get(), new TipsBar(tips, window.get()), nullptr);
        QSignalSpy saved(&real, &ChartFiles::dataExported);
        const QString path = workDir->filePath("run.csv");
        record(25);
        dialogs->expect(chooseInSaveDialog(documents(), path));
        real.exportData();
        QCOMPARE(tips->text(), QString("已保存 run.csv：25 行"));
        // A file that already holds later records takes none of these: not a save.
        const QString later = workDir->filePath("later.csv");
        SampleStore next;
        next.append(2000000000, {});
        QVERIFY(saveDataDeal::saveData(next, later).ok);
        dialogs->expect(chooseInSaveDialog(workDir->path(), later));
        dialogs->expect(DialogAnswers::press("追加"));
        QVERIFY(!real.exportData());
        QCOMPARE(saved.count(), 1);
        record(5);
        QStringList buttons;
        dialogs->expect(chooseInSaveDialog(workDir->path(), path)); // where the last export went
        dialogs->expect(DialogAnswers::press("追加", &buttons));
        real.exportData();
        QCOMPARE(buttons, QStringList({"追加", "取消"}));
        QCOMPARE(tips->text(), QString("已向 run.csv 追加 5 行"));
        QCOMPARE(saved.count(), 2); // the first 25 went to this file before
        SampleStore reread;
        QCOMPARE(CsvReader::read(path, reread).records, 30);
        for (int i = 0; i < reread.size(); ++i)
            QCOMPARE(reread.timeAt(i), acquisition->log().timeAt(i));
        record(5); // new records that a cancelled append leaves out
        dialogs->expect(chooseInSaveDialog(workDir->path(), path));
        dialogs->expect(DialogAnswers::press("取消"));
        real.exportData();
        QCOMPARE(CsvReader::read(path, reread).records, 30);
    }

    // One journal across a pause, marked stopped on Stop. A saved recording needs no journal:
    // an export after Stop removes it, and the next run keeps no previous recording.
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
        QString title, text;
        dialogs->expect(DialogAnswers::acknowledge(&title, &text)); // "record more first"
        answer = csvPath();
        QVERIFY(files->exportData());
        QVERIFY(!QFile::exists(path));
        acquisition->toggleByUser();
        QVERIFY(!journal->hasPrevious());
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

    // Opening a file over unsaved samples asks, in either language; cancel keeps the log,
    // replace keeps the replaced recording on disk as the previous one.
    void openingAFileOverUnsavedSamplesAsksFirst() {
        SampleStore saved;
        saved.append(now.toSecsSinceEpoch(), {});
        QVERIFY(saveDataDeal::saveData(saved, csvPath()).ok);
        acquisition->toggleByUser();
        record(3);
        QStringList english;
        dialogs->expect(DialogAnswers::press(QStringLiteral("取消")));
        QVERIFY(!files->openData(csvPath()));
        QCOMPARE(acquisition->log().size(), 3);
        QVERIFY(acquisition->isRunning());
        QTranslator translator;
        QVERIFY(translator.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&translator);
        dialogs->expect(DialogAnswers::press(QStringLiteral("Replace"), &english));
        const QString replaced = journal->currentPath();
        QVERIFY(files->openData(csvPath()));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(dialogs->unanswered() + dialogs->unexpected(), 0);
        english.sort();
        QCOMPARE(english, QStringList({"Cancel", "Replace", "Save first"}));
        QCOMPARE(acquisition->log().size(), 1);
        QCOMPARE(journal->previousPath(), replaced);
        QCOMPARE(readJournal(replaced).samples.size(), 3);
        QVERIFY(files->openData(csvPath())); // a file's recording is saved: not asked
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
        QString title, text;
        dialogs->expect(DialogAnswers::acknowledge(&title, &text));
        {
            const FileSizeLimit full(Journal::headerSize + 4 * Journal::recordSize + 9);
            record(6);
        }
        QCOMPARE(acquisition->log().size(), 6);
        QVERIFY(acquisition->isRunning());
        QVERIFY(!journal->isWriting());
        QVERIFY(tips->text().startsWith(QString("记录日志已关闭")));
        QTRY_VERIFY2(text.startsWith("记录日志写入失败"), qPrintable(text));
        record(1); // said once: no box shows again
        for (const QMessageBox* box : window->findChildren<QMessageBox*>())
            QVERIFY(!box->isVisible());
        // What is left on disk is test_journal's aFullDiskStopsTheJournalOnAWholeRecord.
    }

private:
    // Seconds on from 14:07:09, a run started first when none runs.
    void record(int seconds) {
        if (!acquisition->isRunning())
            acquisition->toggleByUser();
        recordSeconds(*acquisition, now, MeterReading(), seconds);
    }
    QString csvPath() const { return workDir->filePath("saved.csv"); }

    QString documents() const { return workDir->filePath("Documents"); }

    // The real save dialog: it must start in `folder` and not ask "replace?" itself.
    DialogAnswers::Answer chooseInSaveDialog(const QString& folder, const QString& path) {
        return [folder, path](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->directory().absolutePath(), QDir(folder).absolutePath());
            QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText(path); // typed: selectFile depends on the folder being read
            static_cast<QDialog*>(dialog)
                ->accept(); // QFileDialog::accept, which may ask "replace?"
        };
    }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<QWidget> window;
    QLabel* tips = nullptr;
    TipsBar* tipsBar = nullptr;
    CustomRanges ranges;
    CurveStyles styles;
    std::unique_ptr<ChartPanel> chart;
    std::unique_ptr<Acquisition> acquisition;
    std::unique_ptr<ChartFiles> files;
    RunJournal* journal = nullptr;
    QDateTime now;
    std::unique_ptr<DialogAnswers> dialogs;
    QVector<ChartFiles::FileQuestion> questions;
    QString answer;
};

QTEST_MAIN(ChartFilesTest)
#include "test_chart_files.moc"
