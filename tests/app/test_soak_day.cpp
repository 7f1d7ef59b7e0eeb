// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated day of recording over the real link thread and the simulated meter, with the
// meter unplugged and replugged at random moments (in the middle of a firmware upgrade,
// during a CSV export, while a settings page is shown) and malformed and short reports
// fed between the good ones. The clock is driven: each simulated second records one
// sample at once, so a day takes minutes.

#include "CsvExpected.h"
#include "DialogAnswers.h"
#include "EnvNumber.h"
#include "MeterFixture.h"
#include "SoakMeter.h"
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

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

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
        int next = 0, exports = 0, settingsShown = 0, upgradesCut = 0;
        for (int s = 0; s < seconds; ++s) {
            meter.feedReports();
            meter.recordSecond(now);
            now = now.addSecs(1);
            for (; next < int(plan.size()) && plan[size_t(next)].first == s; ++next) {
                switch (plan[size_t(next)].second) {
                case Moment::Recording:
                    QVERIFY(meter.unplugAndReplug());
                    break;
                case Moment::Export:
                    QVERIFY(meter.unplugDuringExport(QString("export-%1.csv").arg(exports++)));
                    break;
                case Moment::SettingsPage:
                    QVERIFY(meter.unplugOnSettingsPage());
                    ++settingsShown;
                    break;
                case Moment::Upgrade:
                    QVERIFY(meter.unplugInUpgrade(dialogs, upgradeTimeoutMs));
                    ++upgradesCut;
                    break;
                }
            }
        }
        qInfo("recorded %d samples; %d unplugs: %d during an export, %d on a settings page, "
              "%d in an upgrade; %d malformed and %d short reports fed",
              meter.simulatedSamples(), next, exports, settingsShown, upgradesCut,
              meter.malformedFed(), meter.shortFed());

        // Every sample the program said it recorded is in its log, in order.
        QCOMPARE(meter.simulatedSamples(), seconds);
        const SampleStore& log = f.dialog->acquisition()->log();
        const auto& recorded = meter.recorded();
        QCOMPARE(log.size(), int(recorded.size()));
        QByteArray expected = CsvExpected::headerBytes;
        for (int i = 0; i < log.size(); ++i) {
            QCOMPARE(log.timeAt(i), recorded[size_t(i)].first);
            // Only good reports are recorded: never the malformed one's voltage.
            QVERIFY2(meter.isGoodVoltage(log.value(VBUS, i)), qPrintable(QString::number(i)));
            expected += CsvExpected::row(recorded[size_t(i)].first, recorded[size_t(i)].second);
        }
        // ...and exported byte for byte.
        QVERIFY(saveDataDeal::saveData(log, "day.csv").ok);
        QCOMPARE(readAll("day.csv"), expected);
        QVERIFY(QFile::remove("day.csv"));

        // The dashboard shows the last good reading, not a malformed one fed after it.
        QCOMPARE(f.widget<QLabel>("disp_label_VOLT")->text(), meter.lastGoodVoltageText());

        f.dialog.reset();
        QCOMPARE(sim::totalOpenHandles(), 0);
        QCOMPARE(sim::closedHandleUses(), 0);
        const QSet<QString> left = openFiles() - filesBefore;
        QVERIFY2(left.isEmpty(), qPrintable(QStringList(left.values()).join(", ")));
    }
};

QTEST_MAIN(SoakDayTest)
#include "test_soak_day.moc"
