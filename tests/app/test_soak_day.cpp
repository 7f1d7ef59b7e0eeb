// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated day of recording over the real link thread and the simulated meter, with the
// meter unplugged and replugged at random moments (in the middle of a firmware upgrade,
// during a CSV export, while a settings page is shown) and malformed and short reports
// fed between the good ones. The clock is driven: each simulated second records one
// sample at once, so a day takes minutes.

#include "Acquisition.h"
#include "CsvExpected.h"
#include "DialogAnswers.h"
#include "EnvNumber.h"
#include "FirmwareUpgrade.h"
#include "MeterFixture.h"
#include "MeterReading.h"
#include "TestImage.h"
#include "USBThread.h"
#include "UpgradePage.h"
#include "saveDataDeal.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <climits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

constexpr int secondsPerDay = 86400;
constexpr qint64 dayStart = 1772323200; // a Sunday midnight UTC, 2026
constexpr int upgradeTimeoutMs = 30000; // the page's 3 s wait and the first blocks

// Each open descriptor with what it refers to, but for the one reading the listing and
// any closed (by another thread) before it could be read.
QSet<QString> openFiles() {
    QSet<QString> files;
    const QString listing = QString("/proc/%1/fd").arg(::getpid());
    for (const QString& fd : QDir(listing).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        char target[PATH_MAX] = {};
        const ssize_t length =
            ::readlink(qPrintable(listing + '/' + fd), target, sizeof target - 1);
        QString name = QString::fromLocal8Bit(target, int(std::max<ssize_t>(length, 0)));
        // A file someone else removed while it is open (the test runner's own log, which
        // we inherit) is still the same descriptor.
        if (name.endsWith(QLatin1String(" (deleted)")))
            name.chop(int(sizeof " (deleted)") - 1);
        if (length > 0 && name != listing)
            files.insert(fd + " -> " + name);
    }
    return files;
}

// The soak's meter and the dialog over it: feeds good, malformed and short reports, records
// one sample per simulated second, and unplugs and replugs the meter in the middle of
// whatever the program is doing. Each step reports false when the program does not get
// back to recording from the meter.
class SoakMeter {
public:
    SoakMeter(MeterFixture& fixture, std::mt19937& random) : f(fixture), random(random) {}

    bool connect() {
        meter = sim::plug();
        f.open();
        f.stopTimers();
        acquisition = f.dialog->findChild<Acquisition*>();
        if (!acquisition)
            return false;
        QObject::connect(f.dialog->linkThread(), &USBThread::usb_connect, &receiver,
                         [this] { ++connects; });
        QFile firmware(firmwareName);
        return firmware.open(QIODevice::WriteOnly) && firmware.write(testImage(5800)) == 5800 &&
               resumed(0);
    }

    // Every tenth second the meter measures anew; its good report goes out among a
    // malformed one and two short ones, and the dialog reads them all.
    void feedReports() {
        if (second++ % feedEvery == 0)
            sendReports();
    }
    void recordSecond(const QDateTime& now) {
        acquisition->recordSample(now, currentReading());
        volts.push_back(float(lastGoodVolts));
    }

    // Mostly glitches shorter than the link's probe; the rest last until it is noticed.
    bool unplugAndReplug() {
        sim::unplug(meter);
        return replugged(std::bernoulli_distribution(longGlitchShare)(random));
    }
    // The link sees the meter go while the main thread writes the file.
    bool unplugDuringExport(const QString& name) {
        sim::unplug(meter);
        const bool written = saveDataDeal::saveData(f.dialog->acquisition()->log(), name).ok;
        return written && QFile::remove(name) && replugged(false);
    }
    // The meter's model has the reduced settings page.
    bool unplugOnSettingsPage() {
        const int home = f.pages()->currentIndex();
        f.widget<QAbstractButton>("disp_btnSysSet")->click();
        const int page = f.pages()->currentIndex();
        sim::unplug(meter);
        if (!replugged(false) || f.pages()->currentIndex() != page || page == home)
            return false;
        f.widget<QAbstractButton>("settings_btnReturn_q7")->click();
        return f.pages()->currentIndex() != page;
    }
    // Unplugs once the meter is in upgrade mode; the silence is ticked away.
    bool unplugInUpgrade(const DialogAnswers& dialogs, int timeoutMs) {
        f.widget<QAbstractButton>("disp_btnUpgrade")->click();
        f.dialog->upgrade()->loadFile(firmwareName);
        f.widget<QAbstractButton>("upgrade_pushButton_start")->click();
        if (!QTest::qWaitFor(
                [&] {
                    return f.dialog->upgrade()->upgrade().upgrading() && sim::inUpgradeMode(meter);
                },
                timeoutMs))
            return false;
        const int boxes = dialogs.boxes.size();
        sim::unplug(meter);
        if (!QTest::qWaitFor([&] { return !f.running(); }, MeterFixture::linkTimeoutMs))
            return false;
        for (int i = 0; i < FirmwareUpgrade::timeoutLimit; ++i)
            QMetaObject::invokeMethod(f.dialog.get(), "mytimer_timeout");
        if (!QTest::qWaitFor([&] { return dialogs.boxes.size() > boxes; }, timeoutMs) ||
            f.dialog->upgrade()->upgrade().upgrading())
            return false;
        f.widget<QAbstractButton>("upgrade_btnReturn")->click();
        return replugged(true);
    }

    // The voltage of the last good report before each recorded second.
    const std::vector<float>& voltsRecorded() const { return volts; }
    QString lastGoodVoltageText() const { return QString::number(lastGoodVolts, 'f', 5); }

private:
    static constexpr int feedEvery = 10;
    const double longGlitchShare = envNumber("SOAK_LONG_GLITCH_PERCENT", 10) / 100.0;
    static constexpr int shortLength = 32;
    static constexpr int markerByte = 1; // a byte of the measurement report's header
    static constexpr double wildVolts = 99.99;
    static inline const QString firmwareName = QStringLiteral("firmware.bin");

    // Volts between 10 and 20 in hundredths, so the dashboard shows them as "12.34000".
    void sendReports() {
        sim::MeterState state = sim::state(meter);
        state.channels[0] = 10.0 + std::uniform_int_distribution<int>(0, 999)(random) / 100.0;
        sim::setState(meter, state);
        const sim::Report good = sim::measurementReport(state);
        state.channels[0] = wildVolts;
        sim::Report bad = sim::measurementReport(state);
        const std::vector<unsigned char> cut(bad.begin(), bad.begin() + shortLength);
        bad[markerByte] ^= 0xFF;
        const bool badFirst = std::bernoulli_distribution(0.5)(random);
        if (badFirst)
            sim::sendInput(meter, bad);
        sim::sendRawInput(meter, cut);
        sim::sendInput(meter, good);
        if (!badFirst)
            sim::sendInput(meter, bad);
        sim::sendRawInput(meter, cut);
        lastGoodVolts = sim::state(meter).channels[0];
        f.tick("readTimer");
    }

    // The replugged meter is found, opened and answers. A brief glitch is replugged before
    // the link has seen it go, which it must notice all the same. Once noticed, the card
    // says so, a second's tick records nothing (the day's log would hold one sample too
    // many), and a command is dropped without a message, never replayed.
    bool replugged(bool afterNotice) {
        if (afterNotice) {
            if (!QTest::qWaitFor([&] { return !f.running(); }, MeterFixture::linkTimeoutMs))
                return false;
            f.tick("sampleTimer");
            sim::clearWrittenReports(meter);
            f.widget<QAbstractButton>("settings_btn_EN")->click();
            if (f.cardText("label_connect_type") != "错误" || QApplication::activeModalWidget())
                return false;
        }
        sim::replug(meter);
        if (!resumed(connects + 1))
            return false;
        QCoreApplication::processEvents(); // what the reconnection queued
        return !afterNotice || sim::writtenReports(meter).empty();
    }
    bool resumed(int expectedConnects) {
        if (!QTest::qWaitFor([&] { return connects == expectedConnects && f.running(); },
                             MeterFixture::linkTimeoutMs))
            return false;
        sendReports();
        return sim::openHandleCount(meter) == 2 && f.cardCount() == 1 &&
               f.cardText("label_connect_type") == "连接";
    }

    MeterFixture& f;
    std::mt19937& random;
    QObject receiver;
    Acquisition* acquisition = nullptr;
    int meter = 0;
    int connects = 0;
    int second = 0;
    double lastGoodVolts = 0;
    std::vector<float> volts;
};

// What the program is doing when the meter is unplugged.
enum class Moment { Recording, Export, SettingsPage, Upgrade };

struct Counts {
    int cycles, upgrades, exports;
};

// `cycles` unplugs at distinct random seconds, in order: a few in an upgrade (each costs
// the page's real 3 s wait) and during an export (each writes the whole log so far), a
// quarter on a settings page, the rest while recording.
std::vector<std::pair<int, Moment>> makePlan(std::mt19937& random, const Counts& n, int seconds) {
    std::set<int> at;
    std::uniform_int_distribution<int> second(0, seconds - 1);
    while (int(at.size()) < std::min(n.cycles, seconds))
        at.insert(second(random));
    std::vector<Moment> moments(at.size(), Moment::Recording);
    const size_t upgrades = std::min(size_t(n.upgrades), moments.size());
    const size_t exports = std::min(size_t(n.exports), moments.size() - upgrades);
    const size_t settings = std::min(moments.size() / 4, moments.size() - upgrades - exports);
    std::fill_n(moments.begin(), upgrades, Moment::Upgrade);
    std::fill_n(moments.begin() + long(upgrades), exports, Moment::Export);
    std::fill_n(moments.begin() + long(upgrades + exports), settings, Moment::SettingsPage);
    std::shuffle(moments.begin(), moments.end(), random);
    std::vector<std::pair<int, Moment>> plan;
    for (const int s : at)
        plan.emplace_back(s, moments[plan.size()]);
    return plan;
}

} // namespace

class SoakDayTest : public QObject {
    Q_OBJECT
private slots:
    void aDayOfRecordingSurvivesEveryFault() {
        const int seconds = envNumber("SOAK_SECONDS", secondsPerDay);
        const Counts n{envNumber("SOAK_CYCLES", 1000), envNumber("SOAK_UPGRADES", 3),
                       envNumber("SOAK_EXPORTS", 20)};
        const auto seed =
            static_cast<unsigned>(envNumber("SOAK_SEED", int(std::random_device()() >> 1)));
        qInfo("%d simulated seconds, %d unplugs, seed %u (replay with SOAK_SEED=%u)", seconds,
              n.cycles, seed, seed);
        std::mt19937 random(seed);
        const auto plan = makePlan(random, n, seconds);

        MeterFixture f;
        // Qt opens what it keeps for the process (fonts, the platform) with the first window.
        f.open();
        f.dialog.reset();
        const QSet<QString> filesBefore = openFiles();
        DialogAnswers dialogs;
        SoakMeter meter(f, random);
        QVERIFY(meter.connect());

        QDateTime now = QDateTime::fromSecsSinceEpoch(dayStart);
        size_t next = 0;
        for (int s = 0; s < seconds; ++s) {
            meter.feedReports();
            meter.recordSecond(now);
            now = now.addSecs(1);
            if (next == plan.size() || plan[next].first != s)
                continue;
            switch (plan[next++].second) {
            case Moment::Recording:
                QVERIFY(meter.unplugAndReplug());
                break;
            case Moment::Export:
                QVERIFY(meter.unplugDuringExport(QString("export-%1.csv").arg(s)));
                break;
            case Moment::SettingsPage:
                QVERIFY(meter.unplugOnSettingsPage());
                break;
            case Moment::Upgrade:
                QVERIFY(meter.unplugInUpgrade(dialogs, upgradeTimeoutMs));
                break;
            }
        }

        // A sample for every second, in order, each from the last good report before it...
        const SampleStore& log = f.dialog->acquisition()->log();
        QCOMPARE(log.size(), seconds);
        QByteArray expected = CsvExpected::headerBytes;
        for (int i = 0; i < log.size(); ++i) {
            QCOMPARE(log.timeAt(i), dayStart + i);
            QCOMPARE(log.value(VBUS, i), meter.voltsRecorded()[size_t(i)]);
            expected += CsvExpected::row(log.timeAt(i), log.record(i));
        }
        // ...and exported byte for byte.
        QVERIFY(saveDataDeal::saveData(log, "day.csv").ok);
        QFile day("day.csv");
        QVERIFY(day.open(QIODevice::ReadOnly));
        QCOMPARE(day.readAll(), expected);
        QVERIFY(day.remove());

        // The dashboard shows the last good reading, not a malformed one fed after it.
        QCOMPARE(f.widget<QLabel>("disp_label_VOLT")->text(), meter.lastGoodVoltageText());

        QCOMPARE(sim::totalOpenHandles(), 2); // the link thread's and the dialog's
        f.dialog.reset();
        QCOMPARE(sim::totalOpenHandles(), 0);
        QCOMPARE(sim::closedHandleUses(), 0);
        const QSet<QString> left = openFiles() - filesBefore;
        QVERIFY2(left.isEmpty(), qPrintable(QStringList(left.values()).join(", ")));
    }
};

QTEST_MAIN(SoakDayTest)
#include "test_soak_day.moc"
