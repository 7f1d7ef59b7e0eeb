// SPDX-License-Identifier: GPL-3.0-or-later
#include "Crc32.h"
#include "FileSizeLimit.h"
#include "JournalFormat.h"
#include "JournalReader.h"
#include "JournalWriter.h"
#include "SampleStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <array>
#include <cstring>

namespace {

constexpr qint64 t0 = 1709647629; // 2024-03-05 14:07:09 UTC
using Status = JournalContents::Status;
using RunState = JournalContents::RunState;

// Sample r of a test run: channel k holds r + k / 8, distinct in every record and channel.
SampleStore::Values journalSample(int r) {
    SampleStore::Values values{};
    for (int k = 0; k < recordedChannelCount; ++k)
        values[k] = float(r) + float(k) / 8.0f;
    return values;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Sample r at t0 + 2r, so the times are checked as well as the order.
void appendRun(JournalWriter& writer, int count) {
    for (int r = 0; r < count; ++r)
        QVERIFY(writer.append(t0 + 2 * r, journalSample(r)));
}

// Every sample returned is the one written at its place.
void verifySamples(const JournalContents& contents, int expected) {
    QCOMPARE(contents.samples.size(), expected);
    for (int r = 0; r < expected; ++r) {
        QCOMPARE(contents.samples.timeAt(r), t0 + 2 * r);
        QCOMPARE(contents.samples.record(r), journalSample(r));
    }
}

} // namespace

Q_DECLARE_METATYPE(JournalContents::Status)

// The run journal: what is written is read back exactly; whatever else is in the file is
// refused or left out, never returned as a sample.
class JournalTest : public QObject {
    Q_OBJECT

private slots:
    void init() { path = dir.filePath(QStringLiteral("run.journal")); }

    // What a killed program leaves is the file as written so far, marked running.
    void aRunReadsBackRunningUntilStoppedWithEverySample() {
        QCOMPARE(readJournal(path).status, Status::Missing);
        JournalWriter writer;
        QVERIFY(writer.begin(path, t0));
        QCOMPARE(readJournal(path).status, Status::Ok); // the header is there from the start
        appendRun(writer, 25);
        const JournalContents killed = readJournal(path);
        QCOMPARE(killed.state, RunState::Running);
        verifySamples(killed, 25);
        writer.finish();
        QVERIFY(!writer.isWriting());
        const JournalContents contents = readJournal(path);
        QCOMPARE(contents.status, Status::Ok);
        QCOMPARE(contents.state, RunState::Stopped);
        QCOMPARE(contents.startSecs, t0);
        verifySamples(contents, 25);
        QCOMPARE(fileBytes(path).size(), Journal::headerSize + 25 * Journal::recordSize);
    }

    // A new run replaces the last run's journal, which only its owner may read even where
    // others could read the old one; closed mid-run it stays running until marked saved.
    void aNewJournalReplacesTheOldPrivatelyAndIsMarkedSavedOnRequest() {
        JournalWriter writer;
        QVERIFY(writer.begin(path, t0 - 1000));
        appendRun(writer, 30);
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(writer.begin(path, t0));
        appendRun(writer, 2);
        writer.close();
        QCOMPARE(QFileInfo(path).permissions() & QFile::Permissions(0x7077),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(readJournal(path).state, RunState::Running);
        QVERIFY(JournalWriter::markSaved(path));
        const JournalContents saved = readJournal(path);
        QCOMPARE(saved.state, RunState::Saved);
        QCOMPARE(saved.startSecs, t0);
        verifySamples(saved, 2);
    }

    // A power cut may stop the file anywhere in its last record, or leave that record's
    // tail as zeros or stale bytes: the records before it always come back, and the torn
    // one never does.
    void aTornLastRecordIsDroppedAtEveryByteOffset() {
        JournalWriter writer;
        QVERIFY(writer.begin(path, t0));
        appendRun(writer, 5);
        const QByteArray whole = fileBytes(path);
        const int lastStart = Journal::headerSize + 4 * Journal::recordSize;
        QCOMPARE(whole.size(), lastStart + Journal::recordSize);
        for (int cut = lastStart; cut < whole.size(); ++cut) {
            const JournalContents truncated = parseJournal(whole.left(cut));
            QCOMPARE(truncated.status, Status::Ok);
            verifySamples(truncated, 4);
            QCOMPARE(truncated.tornBytes, cut - lastStart);
            for (const char fill : {'\0', '\xA5'}) {
                QByteArray torn = whole;
                torn.replace(cut, whole.size() - cut, QByteArray(whole.size() - cut, fill));
                const JournalContents garbled = parseJournal(torn);
                QCOMPARE(garbled.status, Status::Ok);
                verifySamples(garbled, 4);
                QCOMPARE(garbled.droppedRecords, 1);
            }
        }
        verifySamples(parseJournal(whole), 5);
    }

    void aDamagedRecordInTheMiddleIsLeftOutAndTheRestKept() {
        JournalWriter writer;
        QVERIFY(writer.begin(path, t0));
        appendRun(writer, 3);
        QByteArray bytes = fileBytes(path);
        const int flipped = Journal::headerSize + Journal::recordSize + Journal::recordValuesAt;
        bytes[flipped] = char(bytes[flipped] ^ 0x01);
        const JournalContents contents = parseJournal(bytes);
        QCOMPARE(contents.droppedRecords, 1);
        QCOMPARE(contents.samples.size(), 2);
        QCOMPARE(contents.samples.record(1), journalSample(2));
    }

    void filesThatAreNoJournalOfOursAreRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Status>("status");
        const QByteArray good = Journal::encodeHeader(t0, Journal::stateOpen);
        QByteArray badCrc = good;
        badCrc[Journal::startSecsAt] = char(badCrc[Journal::startSecsAt] ^ 0x40);
        QTest::newRow("zero-length") << QByteArray() << Status::Empty;
        QTest::newRow("truncated header") << good.left(Journal::headerSize - 1) << Status::Empty;
        QTest::newRow("another program's file")
            << QByteArray("DATE,VBUS(V),IBUS(A),POWER(W),PD(V),PM(V),CC1(V),CC2(V)\n")
            << Status::NotAJournal;
        QTest::newRow("header fails its check") << badCrc << Status::Damaged;
        QTest::newRow("future version") << withVersion(good, 2) << Status::FutureVersion;
        QByteArray futureOtherCheck = withVersion(good, 2);
        futureOtherCheck[Journal::headerCrcAt] =
            char(futureOtherCheck[Journal::headerCrcAt] ^ 0x01);
        QTest::newRow("future version, its check unknown")
            << futureOtherCheck << Status::FutureVersion;
        QTest::newRow("version zero") << withVersion(good, 0) << Status::Damaged;
    }

    void filesThatAreNoJournalOfOursAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(Status, status);
        // Whole headers are followed by records that would pass their check.
        const QByteArray records =
            bytes.size() < Journal::headerSize ? QByteArray() : fakeRecords();
        writeFile(path, bytes + records);
        const JournalContents contents = readJournal(path);
        QCOMPARE(contents.status, status);
        QCOMPARE(contents.samples.size(), 0);
        QCOMPARE(parseJournal(bytes).status, status);
    }

    // The disk fills in the middle of the eleventh record: the journal stops on the tenth,
    // whole, and Stop still marks it.
    void aFullDiskStopsTheJournalOnAWholeRecord() {
        JournalWriter writer;
        QVERIFY(writer.begin(path, t0));
        {
            const FileSizeLimit full(Journal::headerSize + 10 * Journal::recordSize + 17);
            appendRun(writer, 10);
            QVERIFY(!writer.append(t0 + 20, journalSample(10)));
        }
        QVERIFY(!writer.isWriting());
        QVERIFY(!writer.errorString().isEmpty());
        QVERIFY(!writer.append(t0 + 22, journalSample(11)));
        QCOMPARE(fileBytes(path).size(), Journal::headerSize + 10 * Journal::recordSize);
        writer.finish();
        const JournalContents contents = readJournal(path);
        QCOMPARE(contents.state, RunState::Stopped);
        verifySamples(contents, 10);
        QCOMPARE(contents.tornBytes, 0);
    }

    // The layout other tools may rely on: offsets, little-endian, a standard CRC-32.
    void recordsAreLittleEndianWithAStandardCrc32() {
        QCOMPARE(crc32(reinterpret_cast<const uchar*>("123456789"), 9), 0xCBF43926u);
        JournalWriter writer;
        QVERIFY(writer.begin(path, t0));
        QVERIFY(writer.append(t0 + 7, journalSample(0)));
        const QByteArray bytes = fileBytes(path);
        const auto* r = reinterpret_cast<const uchar*>(bytes.constData()) + Journal::headerSize;
        QCOMPARE(bytes.left(Journal::magicSize), QByteArray("UMJOURNL"));
        QCOMPARE(qFromLittleEndian<qint32>(r + Journal::recordSecsAt), 7);
        QCOMPARE(qFromLittleEndian<float>(r + Journal::recordValuesAt + 4), 0.125f);
        QCOMPARE(qFromLittleEndian<quint32>(r + Journal::recordCrcAt),
                 crc32(r, Journal::recordCrcAt));
    }

private:
    // The header with another version number, its check recomputed to match.
    static QByteArray withVersion(const QByteArray& header, quint16 version) {
        std::array<uchar, Journal::headerSize> h{};
        std::memcpy(h.data(), header.constData(), h.size());
        qToLittleEndian<quint16>(version, h.data() + Journal::versionAt);
        qToLittleEndian<quint32>(crc32(h.data(), Journal::headerCrcAt),
                                 h.data() + Journal::headerCrcAt);
        return QByteArray(reinterpret_cast<const char*>(h.data()), int(h.size()));
    }

    static QByteArray fakeRecords() {
        std::array<uchar, 3 * Journal::recordSize> r{};
        for (int i = 0; i < 3; ++i)
            Journal::encodeRecord(r.data() + i * Journal::recordSize, i, journalSample(i));
        return QByteArray(reinterpret_cast<const char*>(r.data()), int(r.size()));
    }

    QTemporaryDir dir;
    QString path;
};

QTEST_APPLESS_MAIN(JournalTest)
#include "test_journal.moc"
