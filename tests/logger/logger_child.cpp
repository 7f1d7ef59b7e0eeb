// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder over simulated meters that a test scripts through the environment:
//   LOGGER_SIM_METERS   how many meters are plugged in at start (default 2)
//   LOGGER_SIM_POLL_MS  poll period (default 1000)
//   LOGGER_SIM_REPLUG   "unplugMs,replugMs": the first meter leaves and comes back
//   LOGGER_SIM_SAME_SERIAL  set: every meter has the first one's serial
//   LOGGER_SIM_SILENT   set: the meters never answer a poll
//   LOGGER_SIM_TRUTH    file that gets, once the recorder has returned, every
//                       measurement the program read: "serial<TAB>VBUS" per line
// Every meter's VBUS moves by 1 mV every 20 ms, so no two polls read the same value; the
// last meter also sends one report that is no measurement.
#include "LoggerMain.h"
#include "MeterReading.h"
#include "SimMeter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

constexpr int stepMs = 20;
constexpr int garbageAtMs = 700;

int envNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

struct Script {
    std::vector<int> meters;
    QElapsedTimer clock;

    void start() {
        const int count = envNumber("LOGGER_SIM_METERS", 2);
        const bool sameSerial = qEnvironmentVariableIsSet("LOGGER_SIM_SAME_SERIAL");
        sim::MeterState state;
        state.answersPolls = !qEnvironmentVariableIsSet("LOGGER_SIM_SILENT");
        for (int i = 0; i < count; ++i) {
            meters.push_back(sim::plug(sim::rackIdentity(sameSerial ? 0 : i), state));
            sim::keepReportsRead(meters.back(), true);
        }
        clock.start();
        auto* steps = new QTimer(QCoreApplication::instance());
        QObject::connect(steps, &QTimer::timeout, [this] { step(); });
        steps->start(stepMs);
        const QStringList replug = qEnvironmentVariable("LOGGER_SIM_REPLUG").split(',');
        if (replug.size() == 2 && !meters.empty()) {
            const int first = meters.front();
            QTimer::singleShot(replug[0].toInt(), [first] { sim::unplug(first); });
            QTimer::singleShot(replug[1].toInt(), [first] { sim::replug(first); });
        }
        if (!meters.empty()) {
            const int last = meters.back();
            QTimer::singleShot(garbageAtMs, [last] {
                sim::Report garbage{};
                garbage.fill(0x5A);
                sim::sendInput(last, garbage);
            });
        }
    }

    void step() {
        const double millivolts = double(clock.elapsed() / stepMs);
        for (size_t i = 0; i < meters.size(); ++i) {
            std::array<double, 9> channels = sim::state(meters[i]).channels;
            channels[VBUS] = 5.0 + millivolts / 1000.0;
            channels[IBUS] = 0.1 * double(i + 1);
            sim::setChannels(meters[i], channels, 0);
        }
    }

    void writeTruth() const {
        QFile truth(qEnvironmentVariable("LOGGER_SIM_TRUTH"));
        if (truth.fileName().isEmpty() || !truth.open(QIODevice::WriteOnly))
            return;
        for (size_t i = 0; i < meters.size(); ++i) {
            const QByteArray serial =
                QString::fromStdWString(sim::rackIdentity(int(i)).serial).toUtf8();
            for (const sim::Report& report : sim::reportsRead(meters[i])) {
                if (!isMeasurementReport(report.data(), int(report.size())))
                    continue;
                MeterReading reading;
                bool pending = false;
                decodeReportInto(reading, pending, report.data(), int(report.size()));
                truth.write(serial + '\t' + QByteArray::number(double(reading.vbus), 'f', 6) +
                            '\n');
            }
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    auto script = std::make_unique<Script>();
    LoggerHooks hooks;
    hooks.pollIntervalMs = envNumber("LOGGER_SIM_POLL_MS", 1000);
    hooks.started = [&script] { script->start(); };
    const int code = runLogger(argc, argv, hooks);
    script->writeTruth();
    return code;
}
