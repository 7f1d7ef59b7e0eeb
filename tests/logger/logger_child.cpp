// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder over simulated meters that a test scripts through the environment:
//   LOGGER_SIM_METERS   how many meters are plugged in at start (default 2)
//   LOGGER_SIM_POLL_MS  poll period (default 1000)
//   LOGGER_SIM_SAME_SERIAL  set: every meter has the first one's serial
//   LOGGER_SIM_SILENT   set: the meters never answer a poll
//   LOGGER_SIM_TRUTH    file that gets, once the recorder has returned, every
//                       measurement the program read: "serial<TAB>VBUS" per line
// and steers by lines on standard input: "unplug N", "replug N", "garbage N" (a report
// that is no measurement), "set N V0 ... V8" (meter N holds these nine channel values, in
// decoder order). A meter not set moves its VBUS by 1 mV every 20 ms, so no two polls read
// the same value.
#include "EnvNumber.h"
#include "LoggerMain.h"
#include "MeterReading.h"
#include "SimMeter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int stepMs = 20;

struct Script {
    std::vector<int> meters;
    std::vector<bool> held;
    QElapsedTimer clock;
    std::unique_ptr<QSocketNotifier> input;
    QByteArray pending;

    void start() {
        const int count = envNumber("LOGGER_SIM_METERS", 2);
        const bool sameSerial = qEnvironmentVariableIsSet("LOGGER_SIM_SAME_SERIAL");
        sim::MeterState state;
        state.answersPolls = !qEnvironmentVariableIsSet("LOGGER_SIM_SILENT");
        for (int i = 0; i < count; ++i) {
            meters.push_back(sim::plug(sim::rackIdentity(sameSerial ? 0 : i), state));
            sim::keepReportsRead(meters.back(), true);
        }
        held.assign(meters.size(), false);
        clock.start();
        auto* steps = new QTimer(QCoreApplication::instance());
        QObject::connect(steps, &QTimer::timeout, [this] { step(); });
        steps->start(stepMs);
        input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(input.get(), &QSocketNotifier::activated, [this] { readCommands(); });
    }

    void step() {
        const double millivolts = double(clock.elapsed() / stepMs);
        for (size_t i = 0; i < meters.size(); ++i) {
            if (held[i])
                continue;
            std::array<double, 9> channels = sim::state(meters[i]).channels;
            channels[VBUS] = 5.0 + millivolts / 1000.0;
            channels[IBUS] = 0.1 * double(i + 1);
            sim::setChannels(meters[i], channels, 0);
        }
    }

    void readCommands() {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input->setEnabled(false);
            return;
        }
        pending.append(buffer, int(n));
        for (int end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            obey(QString::fromLatin1(pending.left(end)).split(QLatin1Char(' ')));
    }

    void obey(const QStringList& words) {
        const int index = words.value(1).toInt();
        if (index < 0 || index >= int(meters.size()))
            return;
        const int id = meters[size_t(index)];
        if (words.first() == QLatin1String("unplug")) {
            sim::unplug(id);
        } else if (words.first() == QLatin1String("replug")) {
            sim::replug(id);
        } else if (words.first() == QLatin1String("garbage")) {
            sim::sendRawInput(id, std::vector<unsigned char>(64, 0xA7));
        } else if (words.first() == QLatin1String("set") && words.size() == 11) {
            held[size_t(index)] = true;
            sim::MeterState state = sim::state(id);
            for (int k = 0; k < 9; ++k)
                state.channels[size_t(k)] = words[2 + k].toDouble();
            sim::setState(id, state);
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
