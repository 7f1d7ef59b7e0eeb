#include "JournalFormat.h"
#include "JournalReader.h"
#include "RecoveryOffer.h"
#include "ScopedWorkDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
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

// Answers the next message box with the button whose text starts with `choice` (empty:
// Escape), and says what the box read. With no such button it presses Escape.
class BoxAnswer : public QObject {
public:
    explicit BoxAnswer(QString choice) : choice(std::move(choice)) { startTimer(20); }
    bool seen = false;
    bool matched = false;
    QStringList buttons;

protected:
    void timerEvent(QTimerEvent*) override {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || seen)
            return;
        seen = true;
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        for (QAbstractButton* b : box->buttons()) {
            if (!choice.isEmpty() && b->text().startsWith(choice)) {
                matched = true;
                b->click();
                return;
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    }

private:
    QString choice;
};

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
        BoxAnswer answer(QStringLiteral("打开记录"));
        const std::optional<SampleStore> run = offerUnfinishedRun(path);
        QVERIFY(answer.matched);
        QVERIFY(run.has_value());
        QCOMPARE(run->size(), 30);
        QCOMPARE(run->timeAt(29), t0 + 29);
        QCOMPARE(run->record(29), sample(29));
        QVERIFY(QFile::exists(path)); // until the next run replaces it
    }

    void discardingRemovesTheJournalAndClosingTheBoxKeepsIt() {
        writeJournal(path, 3);
        {
            BoxAnswer escape{QString()};
            QVERIFY(offerUnfinishedRun(path).has_value());
            QVERIFY(escape.seen);
        }
        BoxAnswer discard(QStringLiteral("丢弃"));
        QVERIFY(!offerUnfinishedRun(path).has_value());
        QVERIFY(discard.matched);
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
        BoxAnswer answer(QStringLiteral("打开记录"));
        QVERIFY(!offerUnfinishedRun(path).has_value());
        QVERIFY(!answer.seen);
        QVERIFY(QFile::exists(path));
    }

    void theOfferSpeaksEnglishWhenEnglishIsOn() {
        writeJournal(path, 2);
        QTranslator english;
        QVERIFY(english.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&english);
        BoxAnswer answer(QStringLiteral("Open recording"));
        QVERIFY(offerUnfinishedRun(path).has_value());
        QCoreApplication::removeTranslator(&english);
        QVERIFY(answer.matched);
        QCOMPARE(answer.buttons.size(), 2);
        QVERIFY(answer.buttons.contains("Discard"));
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
