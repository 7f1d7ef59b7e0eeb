// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogAnswers.h"
#include "JournalFormat.h"
#include "JournalReader.h"
#include "RecoveryOffer.h"
#include "ScopedWorkDir.h"
#include "saveDataDeal.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

#include <array>

namespace {

constexpr qint64 t0 = 1709647629; // 2024-03-05 14:07:09 UTC
constexpr int childTimeoutMs = 60000;
// A few seconds of recording: a killed program loses nothing it wrote, synced or not.
constexpr int enoughSamples = 3;
using RunState = JournalContents::RunState;

SampleStore::Values sample(int r) {
    SampleStore::Values values{};
    values[VBUS] = 5.0f + float(r) / 100.0f;
    values[IBUS] = 1.0f;
    return values;
}

// A journal as a killed program leaves it: `records` samples a second apart.
void writeJournal(const QString& path, int records, quint32 state = Journal::stateOpen,
                  int version = Journal::formatVersion) {
    QByteArray bytes = Journal::encodeHeader(t0, state);
    bytes[Journal::versionAt] = char(version);
    for (int r = 0; r < records; ++r) {
        std::array<unsigned char, Journal::recordSize> record{};
        Journal::encodeRecord(record.data(), r, sample(r));
        bytes.append(reinterpret_cast<const char*>(record.data()), Journal::recordSize);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The test program (journal_child.cpp) over the simulated meter, in the test's folder.
class Program {
public:
    // `offers`: "open" or "discard".
    Program(const QString& workDir, const char* offers) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("JOURNAL_CHILD_OFFERS", offers);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workDir);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(JOURNAL_CHILD_PATH), QStringList());
    }
    ~Program() {
        if (process.state() != QProcess::NotRunning)
            kill();
    }
    // The next line starting with `prefix`; the lines before it are kept in `seen`.
    QString waitFor(const QString& prefix) {
        for (;;) {
            while (process.canReadLine()) {
                const QString line = QString::fromLocal8Bit(process.readLine()).trimmed();
                seen << line;
                if (line.startsWith(prefix))
                    return line.mid(prefix.size());
            }
            if (!process.waitForReadyRead(childTimeoutMs))
                return QStringLiteral("<nothing>");
        }
    }
    void command(const QByteArray& line) {
        process.write(line + '\n');
        QCOMPARE(waitFor(QStringLiteral("done")), QString());
    }
    void kill() {
        process.kill();
        QVERIFY(process.waitForFinished(childTimeoutMs));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    }
    // The sample counts of the offers made so far, in the order offered.
    QList<int> offers() const {
        QList<int> counts;
        const QRegularExpression count(QStringLiteral("共 (\\d+) 条"));
        for (const QString& line : seen.filter(QRegularExpression(QStringLiteral("^offer "))))
            counts << count.match(line).captured(1).toInt();
        return counts;
    }

private:
    QProcess process;
    QStringList seen;
};

} // namespace

// At start-up every recording whose samples were never saved is offered, whatever the
// user did before the program went: the sequences below are run by the real program over
// the simulated meter, killed with SIGKILL and started again, and checked on disk.
class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        folder = workDir->filePath("data/" + QFileInfo(JOURNAL_CHILD_PATH).fileName());
        QDir().mkpath(folder);
    }
    void cleanup() { workDir.reset(); }

    // Saved and empty journals are cleared away unasked; a newer program's file is kept
    // as it is and said; another program's file is left alone. Closing the offer keeps the
    // recording and opens it; only Discard (here in English) removes its journal.
    void onlyUnsavedJournalsAreOfferedAndANewerOneIsKept() {
        writeJournal(folder + "/a.journal", 3);
        writeJournal(folder + "/saved.journal", 5, Journal::stateSaved);
        writeJournal(folder + "/empty.journal", 0);
        writeJournal(folder + "/newer.journal", 0, Journal::stateOpen, Journal::formatVersion + 1);
        QFile other(folder + "/other.journal");
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("not ours") > 0);
        DialogAnswers dialogs;
        dialogs.expect(DialogAnswers::escape());
        RecoveryOutcome kept = offerUnsavedRuns(folder);
        QVERIFY(kept.opened.has_value());
        QCOMPARE(kept.opened->samples.record(2), sample(2));
        QVERIFY(kept.newerVersionKept);
        kept = {};
        QTranslator english;
        QVERIFY(english.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&english);
        QStringList buttons;
        dialogs.expect(DialogAnswers::press(QStringLiteral("Discard"), &buttons));
        QVERIFY(!offerUnsavedRuns(folder).opened.has_value());
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(dialogs.unanswered() + dialogs.unexpected(), 0);
        QCOMPARE(buttons, QStringList({"Open recording", "Discard"}));
        QCOMPARE(QDir(folder).entryList({"*.journal"}),
                 QStringList({"newer.journal", "other.journal"}));
    }

    // Record, then maybe Stop or open a CSV file answering "replace", SIGKILL: every sample
    // written is there, in a folder only its owner can open, and offered at the restart.
    // Opened there with the meter plugged and killed again, it is still on disk whole and
    // offered again.
    void aKilledRunIsOfferedWithEverySampleItWrote_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("state");
        QTest::newRow("recording") << QByteArray() << int(RunState::Running);
        QTest::newRow("stopped, unsaved") << QByteArray("stop") << int(RunState::Stopped);
        QTest::newRow("replaced by an opened file")
            << QByteArray("open saved.csv") << int(RunState::Stopped);
    }
    void aKilledRunIsOfferedWithEverySampleItWrote() {
        QFETCH(QByteArray, command);
        QFETCH(int, state);
        SampleStore csv;
        csv.append(t0, sample(0));
        QVERIFY(saveDataDeal::saveData(csv, workDir->filePath("saved.csv")).ok);
        const int written = recordThenKill(command);
        const QString journal = onlyJournal();
        // Owner, group, other (the "user" bits repeat the owner's for the owner).
        const QFile::Permissions notUser(0x7077);
        QCOMPARE(QFileInfo(folder).permissions() & notUser,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(int(readJournal(journal).state), state);
        {
            Program reopened(workDir->path(), "open");
            QCOMPARE(reopened.waitFor("shown "), QString::number(written));
            QCOMPARE(reopened.offers(), QList<int>{written});
            reopened.kill();
        }
        QCOMPARE(readJournal(journal).samples.size(), written);
        Program third(workDir->path(), "open");
        QCOMPARE(third.waitFor("shown "), QString::number(written));
        QCOMPARE(third.offers(), QList<int>{written});
    }

    // Two copies on one data folder record side by side: each into its own journal, the
    // second never offered the first's; killed, both are offered, newest first.
    void twoCopiesNeverShareOrOfferALiveJournal() {
        Program first(workDir->path(), "discard");
        QTRY_VERIFY_WITH_TIMEOUT(journalSizes().value(0) > enoughSamples, childTimeoutMs);
        const QString firstJournal = onlyJournal();
        Program second(workDir->path(), "discard");
        QVERIFY(second.waitFor("shown ") != "<nothing>");
        QTRY_VERIFY_WITH_TIMEOUT(
            journalSizes().size() == 2 && journalSizes().value(1) > enoughSamples, childTimeoutMs);
        const int firstBefore = readJournal(firstJournal).samples.size();
        first.kill();
        second.kill();
        QCOMPARE(second.offers(), QList<int>());
        for (const QString& name : QDir(folder).entryList({"*.journal"}))
            verifyMeterRun(readJournal(folder + '/' + name));
        QVERIFY(readJournal(firstJournal).samples.size() >= firstBefore);

        const QList<int> sizes = journalSizes();
        Program third(workDir->path(), "discard");
        third.waitFor("shown ");
        QCOMPARE(third.offers(), QList<int>({sizes[1], sizes[0]}));
        QVERIFY(!QFile::exists(firstJournal));
    }

private:
    // Records from the meter, sends `command`, if any, kills the program; returns the samples
    // on disk.
    int recordThenKill(const QByteArray& command) {
        Program program(workDir->path(), "discard");
        [&] {
            QTRY_VERIFY_WITH_TIMEOUT(journalSizes().value(0) > enoughSamples, childTimeoutMs);
        }();
        const SampleStore before = readJournal(onlyJournal()).samples;
        if (!command.isEmpty())
            program.command(command);
        program.kill();
        const JournalContents after = readJournal(onlyJournal());
        verifyMeterRun(after);
        [&] {
            QVERIFY(after.samples.size() >= before.size());
            for (int i = 0; i < before.size(); ++i)
                QCOMPARE(after.samples.record(i), before.record(i));
        }();
        return after.samples.size();
    }

    // The journals in the folder, oldest first by name; their sample counts.
    QStringList journals() const {
        return QDir(folder).entryList({"*.journal"}, QDir::Files, QDir::Name);
    }
    QList<int> journalSizes() const {
        QList<int> sizes;
        for (const QString& name : journals())
            sizes << readJournal(folder + '/' + name).samples.size();
        return sizes;
    }
    QString onlyJournal() const {
        const QStringList names = journals();
        return names.size() == 1 ? folder + '/' + names[0]
                                 : QString("<%1 journals>").arg(names.size());
    }

    // Whole records only, times in order, and from the meter's first answer on its reading.
    static void verifyMeterRun(const JournalContents& run) {
        QCOMPARE(run.status, JournalContents::Status::Ok);
        QCOMPARE(run.droppedRecords, 0);
        QCOMPARE(run.tornBytes, 0);
        const SampleStore& samples = run.samples;
        bool answered = false;
        for (int i = 0; i < samples.size(); ++i) {
            if (i > 0)
                QVERIFY(samples.timeAt(i) >= samples.timeAt(i - 1));
            answered = answered || samples.value(VBUS, i) != 0.0f;
            if (!answered)
                continue;
            QCOMPARE(samples.value(VBUS, i), 5.1f);
            QCOMPARE(samples.value(IBUS, i), 1.25f);
            QCOMPARE(samples.value(POWER, i), 6.375f);
        }
        QVERIFY(answered);
    }

    std::unique_ptr<ScopedWorkDir> workDir;
    QString folder;
};

QTEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
