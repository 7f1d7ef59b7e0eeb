// SPDX-License-Identifier: GPL-3.0-or-later
// usb-meter-log over two simulated meters with fixed readings, which a test steers by
// lines on standard input: "unplug N", "replug N", "set N V0 ... V8" (meter N = 0 or 1,
// the nine channel values in decoder order), "garbage N" (a report that does not decode).
#include "LoggerMain.h"
#include "SimMeter.h"

#include <QSocketNotifier>
#include <QString>

#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int rackSize = 2;

sim::MeterState stateFor(int index) {
    sim::MeterState state;
    state.channels = {5.0 + index, 0.5 + index, 2.5 + 6 * index, 0.6, 0.59,
                      1.68,        0.02,        30.5 + index,    25.0};
    return state;
}

void obey(const QStringList& words, const std::vector<int>& meters) {
    const int index = words.value(1).toInt();
    if (index < 0 || index >= int(meters.size()))
        return;
    const int id = meters[index];
    if (words.first() == QLatin1String("unplug"))
        sim::unplug(id);
    else if (words.first() == QLatin1String("replug"))
        sim::replug(id);
    else if (words.first() == QLatin1String("garbage"))
        sim::sendRawInput(id, std::vector<unsigned char>(64, 0xA7));
    else if (words.first() == QLatin1String("set") && words.size() == 11) {
        sim::MeterState state = sim::state(id);
        for (int k = 0; k < 9; ++k)
            state.channels[k] = words[2 + k].toDouble();
        sim::setState(id, state);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> meters;
    std::unique_ptr<QSocketNotifier> input;
    QByteArray pending;
    LoggerHooks hooks;
    hooks.started = [&] {
        for (int i = 0; i < rackSize; ++i)
            meters.push_back(sim::plug(sim::rackIdentity(i), stateFor(i)));
        input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(input.get(), &QSocketNotifier::activated, [&] {
            char buffer[512];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                input->setEnabled(false);
                return;
            }
            pending.append(buffer, int(n));
            for (int end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
                obey(QString::fromLatin1(pending.left(end)).split(QLatin1Char(' ')), meters);
        });
    };
    return runLogger(argc, argv, hooks);
}
