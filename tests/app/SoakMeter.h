// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Acquisition.h"
#include "DialogAnswers.h"
#include "FirmwareUpgrade.h"
#include "MeterFixture.h"
#include "MeterReading.h"
#include "TestImage.h"
#include "USBThread.h"
#include "UpgradePage.h"
#include "saveDataDeal.h"

#include <QFile>
#include <QTest>

#include <random>
#include <utility>
#include <vector>

// The soak's meter and the dialog over it: feeds good, malformed and short reports,
// records one sample per simulated second, and unplugs and replugs the meter in the
// middle of whatever the program is doing. Each step reports false when the program does
// not get back to recording from the meter.
class SoakMeter {
public:
    using Sample = std::pair<qint64, SampleStore::Values>;

    SoakMeter(MeterFixture& fixture, std::mt19937& random) : f(fixture), random(random) {}

    // Plugs the meter in, opens the dialog and waits until it records.
    bool connect() {
        meter = sim::plug();
        f.open();
        f.stopTimers();
        acquisition = f.dialog->findChild<Acquisition*>();
        if (!acquisition)
            return false;
        QObject::connect(acquisition, &Acquisition::sampleRecorded, &receiver,
                         [this](qint64 secs, const SampleStore::Values& values) {
                             samples.emplace_back(secs, values);
                         });
        QObject::connect(f.dialog->linkThread(), &USBThread::usb_connect, &receiver,
                         [this] { ++connects; });
        return resumed(0);
    }

    // Every tenth second the meter measures anew; its good report goes out among a
    // malformed one and two short ones, and the dialog reads them all.
    void feedReports() {
        if (second++ % feedEvery == 0)
            sendReports();
    }
    void recordSecond(const QDateTime& now) {
        const size_t before = samples.size();
        acquisition->recordSample(now, currentReading());
        simulated += int(samples.size() - before);
    }

    // Mostly glitches shorter than the link's probe; one in ten lasts until it is noticed.
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
    bool unplugOnSettingsPage() {
        const int home = f.pages()->currentIndex();
        f.widget<QAbstractButton>("disp_btnSysSet")->click();
        const int page = f.pages()->currentIndex();
        sim::unplug(meter);
        if (!replugged(false) || f.pages()->currentIndex() != page || page == home)
            return false;
        // The full and the reduced settings page each have their own return button.
        for (auto* button : f.pages()->currentWidget()->findChildren<QAbstractButton*>())
            if (button->objectName().startsWith("settings_btnReturn"))
                button->click();
        return f.pages()->currentIndex() != page;
    }
    // Unplugs once the meter is in upgrade mode; the silence is ticked away.
    bool unplugInUpgrade(const DialogAnswers& dialogs, int timeoutMs) {
        f.widget<QAbstractButton>("disp_btnUpgrade")->click();
        if (!firmwareWritten)
            firmwareWritten = writeFirmware();
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

    const std::vector<Sample>& recorded() const { return samples; }
    int simulatedSamples() const { return simulated; }
    int malformedFed() const { return malformed; }
    int shortFed() const { return shortOnes; }
    QString lastGoodVoltageText() const { return QString::number(lastGoodVolts, 'f', 5); }
    // The good reports carry 10 to 20 V; the malformed one wildVolts.
    static bool isGoodVoltage(float volts) { return volts >= 10.0f && volts < 20.0f; }

private:
    static constexpr int feedEvery = 10;
    static constexpr double longGlitchShare = 0.1;
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
        malformed += 1;
        shortOnes += 2;
        lastGoodVolts = sim::state(meter).channels[0];
        f.tick("readTimer");
    }

    // The replugged meter is found, opened and answers. A brief glitch is replugged before
    // the link has seen it go, which it must notice all the same.
    bool replugged(bool afterNotice) {
        if (afterNotice &&
            !QTest::qWaitFor([&] { return !f.running(); }, MeterFixture::linkTimeoutMs))
            return false;
        sim::replug(meter);
        return resumed(connects + 1);
    }
    bool resumed(int expectedConnects) {
        if (!QTest::qWaitFor([&] { return connects >= expectedConnects && f.running(); },
                             MeterFixture::linkTimeoutMs))
            return false;
        sendReports();
        return sim::openHandleCount(meter) == 2;
    }
    bool writeFirmware() {
        QFile file(firmwareName);
        return file.open(QIODevice::WriteOnly) && file.write(testImage(5800)) == 5800;
    }

    MeterFixture& f;
    std::mt19937& random;
    QObject receiver;
    Acquisition* acquisition = nullptr;
    int meter = 0;
    int connects = 0;
    int second = 0;
    int simulated = 0;
    int malformed = 0;
    int shortOnes = 0;
    double lastGoodVolts = 0;
    bool firmwareWritten = false;
    std::vector<Sample> samples;
};
