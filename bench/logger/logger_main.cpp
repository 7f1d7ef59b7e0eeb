// SPDX-License-Identifier: GPL-3.0-or-later
// What usb-meter-log costs, over simulated meters in this process:
// - wake-ups a second with no meter plugged (all threads; target under 5),
// - CPU per recorded meter, four meters polled once a second (target under 0.3 % of a core),
// - resident memory over a simulated day of two meters (target under 25 MB, not growing).
#include "BenchSize.h"
#include "DaySimulation.h"
#include "LoggerMain.h"
#include "SimMeter.h"
#include "ThreadSwitches.h"

#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

const int idleSeconds = benchSize(10, 1);
const int cpuSeconds = benchSize(20, 1);
constexpr int cpuMeters = 4;
constexpr int dayMeters = 2;
constexpr int settleMs = 2000;

long long totalSwitches() {
    long long sum = 0;
    for (const auto& entry : ThreadSwitches::voluntary(ThreadSwitches::threadIds()))
        sum += entry.second;
    return sum;
}

double cpuSecondsUsed() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the recorder on `folder` with `meters` simulated meters, and `measure` once at
// settleMs and once `seconds` later; then stops it as SIGTERM would.
template <typename Measure>
int runMeasured(const QString& folder, int meters, int seconds, Measure measure) {
    sim::reset();
    std::vector<std::string> args{"bench_logger", "--all", "-q", "-o", folder.toStdString()};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    LoggerHooks hooks;
    hooks.started = [&] {
        for (int i = 0; i < meters; ++i)
            sim::plug(sim::rackIdentity(i));
        QTimer::singleShot(settleMs, [&] { measure(); });
        QTimer::singleShot(settleMs + seconds * 1000, [&] {
            measure();
            std::raise(SIGTERM);
        });
    };
    return runLogger(int(args.size()), argv.data(), hooks);
}

} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir folder;
    if (!folder.isValid())
        return EXIT_FAILURE;

    std::vector<long long> switches;
    runMeasured(folder.path(), 0, idleSeconds, [&] { switches.push_back(totalSwitches()); });
    std::vector<double> cpu;
    runMeasured(folder.path(), cpuMeters, cpuSeconds, [&] { cpu.push_back(cpuSecondsUsed()); });
    const std::vector<long> rss = simulateDay(folder.path(), dayMeters);
    if (switches.size() != 2 || cpu.size() != 2 || rss.size() < 2) {
        std::fprintf(stderr, "bench_logger: a measurement did not run\n");
        return EXIT_FAILURE;
    }

    std::printf("usb-meter-log (simulated meters)\n");
    std::printf("  wake-ups with no meter        %8.1f a second   (target under 5)\n",
                double(switches[1] - switches[0]) / idleSeconds);
    std::printf(
        "  CPU per recorded meter        %8.3f %% of a core (target under 0.3; %d meters)\n",
        (cpu[1] - cpu[0]) / cpuSeconds / cpuMeters * 100.0, cpuMeters);
    std::printf("  resident memory over a day    %8.1f MB at start, %.1f MB at the end "
                "(target under 25, not growing; %d meters)\n",
                double(rss.front()) / 1024.0, double(rss.back()) / 1024.0, dayMeters);
    std::printf("    after each quarter of the day:");
    for (size_t i = 1; i < rss.size(); ++i)
        std::printf(" %.1f", double(rss[i]) / 1024.0);
    std::printf(" MB\n");
    return EXIT_SUCCESS;
}
