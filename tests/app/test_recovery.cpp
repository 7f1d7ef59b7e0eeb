#include "DialogAnswers.h"
#include "JournalFormat.h"
#include "JournalReader.h"
#include "RecoveryOffer.h"
#include "ScopedWorkDir.h"

#include <QFileInfo>
#include <QProcess>
#include <QTranslator>
#include <QtTest>

#include <array>

namespace {

constexpr qint64 t0 = 1709647629; // 2024-03-05 14:07:09 UTC
constexpr int childTimeoutMs = 60000;

SampleStore::Values sample(int r) {
    SampleStore::Values values{};
    values[VBUS] = 5.0f + float(r) / 100.0f;
    values[IBUS] = 1.0f;
    return values;
}

// A journal as a killed program leaves it: open, `records` samples a second apart.
void writeJournal(const QString& path, int records, quint32 state = Journal::stateOpen) {
    QByteArray bytes = Journal::encodeHeader(t0, state);
    for (int r = 0; r < records; ++r) {
        std::array<unsigned char, Journal::recordSize> record{};
        Journal::encodeRecord(record.data(), r, sample(r));
        bytes.append(reinterpret_cast<const char*>(record.data()), Journal::recordSize);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// At start-up the journal of a run that did not end cleanly is offered; a program killed
// in the middle of a run leaves every sample it wrote.
class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        path = workDir->filePath(QStringLiteral("recording.journal"));
    }
    void cleanup() { workDir.reset(); }

    void openingTheOfferedRunReturnsEverySample() {
        writeJournal(path, 30);
        DialogAnswers dialogs;
        dialogs.expect(DialogAnswers::press(QStringLiteral("打开记录")));
        const std::optional<SampleStore> run = offerUnfinishedRun(path);
        QCOMPARE(dialogs.unexpected(), 0);
        QVERIFY(run.has_value());
        QCOMPARE(run->size(), 30);
        QCOMPARE(run->timeAt(29), t0 + 29);
        QCOMPARE(run->record(29), sample(29));
        QVERIFY(QFile::exists(path)); // until the next run replaces it
    }

    void discardingRemovesTheJournalAndClosingTheBoxKeepsIt() {
        writeJournal(path, 3);
        DialogAnswers dialogs;
        dialogs.expect(DialogAnswers::escape());
        QVERIFY(offerUnfinishedRun(path).has_value());
        dialogs.expect(DialogAnswers::press(QStringLiteral("丢弃")));
        QVERIFY(!offerUnfinishedRun(path).has_value());
        QCOMPARE(dialogs.unanswered() + dialogs.unexpected(), 0);
        QVERIFY(!QFile::exists(path));
    }

    void nothingIsOfferedForACleanEmptyOrForeignJournal_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<quint32>("state");
        QTest::newRow("ended cleanly") << 5 << Journal::stateClean;
        QTest::newRow("no samples") << 0 << Journal::stateOpen;
    }

    void nothingIsOfferedForACleanEmptyOrForeignJournal() {
        QFETCH(int, records);
        QFETCH(quint32, state);
        writeJournal(path, records, state);
        DialogAnswers dialogs;
        QVERIFY(!offerUnfinishedRun(path).has_value());
        QCOMPARE(dialogs.unexpected(), 0);
        QVERIFY(QFile::exists(path));
    }

    void theOfferSpeaksEnglishWhenEnglishIsOn() {
        writeJournal(path, 2);
        QTranslator english;
        QVERIFY(english.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&english);
        DialogAnswers dialogs;
        QStringList buttons;
        dialogs.expect(DialogAnswers::press(QStringLiteral("Open recording"), &buttons));
        QVERIFY(offerUnfinishedRun(path).has_value());
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(dialogs.unexpected(), 0);
        QCOMPARE(buttons.size(), 2);
        QVERIFY(buttons.contains("Discard"));
    }

    // The program records from the simulated meter and is killed with SIGKILL; started
    // again, it offers a recording holding at least every sample that was on disk.
    void aKilledRunIsOfferedWithEverySampleItWrote() {
        QProcess child;
        startChild(child, {});
        const QString journal = workDir->filePath(
            "data/" + QFileInfo(JOURNAL_CHILD_PATH).fileName() + "/recording.journal");
        // Past the first sync to disk, so that some samples have surely been flushed.
        QTRY_VERIFY_WITH_TIMEOUT(readJournal(journal).samples.size() > 12, childTimeoutMs);
        const SampleStore before = readJournal(journal).samples;
        child.kill();
        QVERIFY(child.waitForFinished(childTimeoutMs));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const JournalContents after = readJournal(journal);
        QVERIFY(!after.clean);
        QCOMPARE(after.droppedRecords, 0);
        QCOMPARE(after.tornBytes, 0);
        QVERIFY(after.samples.size() >= before.size());
        for (int i = 0; i < before.size(); ++i) {
            QCOMPARE(after.samples.timeAt(i), before.timeAt(i));
            QCOMPARE(after.samples.record(i), before.record(i));
        }
        verifyMeterSamples(after.samples);

        QProcess next;
        startChild(next, {QStringLiteral("reopen")});
        QVERIFY(next.waitForFinished(childTimeoutMs));
        QCOMPARE(next.exitStatus(), QProcess::NormalExit);
        QCOMPARE(next.readAllStandardOutput().trimmed(),
                 QByteArray("offered ") + QByteArray::number(after.samples.size()));
    }

private:
    void startChild(QProcess& child, const QStringList& arguments) {
        child.setWorkingDirectory(workDir->path());
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(JOURNAL_CHILD_PATH), arguments);
        QVERIFY(child.waitForStarted());
    }

    // Until the meter's first answer the reading is zero; from then on it is the meter's.
    static void verifyMeterSamples(const SampleStore& samples) {
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
    QString path;
};

QTEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
