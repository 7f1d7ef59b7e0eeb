// SPDX-License-Identifier: GPL-3.0-or-later
// How often the link thread wakes up while no meter is plugged: its voluntary context
// switches over a stretch of time, against the simulated bus with nothing on it.
#include "LinkBenchSetup.h"
#include "MeterIdentity.h"
#include "ThreadSwitches.h"
#include "USBThread.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

constexpr int defaultSeconds = 10;
// One reconnect try every 500 ms, and nothing else to wake up for.
constexpr double targetPerSecond = 2.0;
// The loop that slept 1 ms at a time between tries, measured once on this bench.
constexpr double beforeFixPerSecond = 814.0;

// The threads that appeared since `before`: the link thread, once it runs.
std::set<int> newThreads(const std::set<int>& before) {
    std::set<int> added;
    for (const int tid : ThreadSwitches::threadIds())
        if (!before.count(tid))
            added.insert(tid);
    return added;
}

long long total(const std::map<int, long long>& counts) {
    long long sum = 0;
    for (const auto& entry : counts)
        sum += entry.second;
    return sum;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir workDir;
    const int seconds = LinkBenchSetup::start(
        app, workDir, "bench_link_idle", "Length of the measurement (default %1).", defaultSeconds);
    if (seconds < 0)
        return EXIT_FAILURE;

    const std::set<int> before = ThreadSwitches::threadIds();
    USBThread link;
    link.setIds(MeterIdentity::vendorId, MeterIdentity::productId);
    link.openDevice();
    link.start();
    std::set<int> linkThreads;
    while (linkThreads.empty() && link.isRunning()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        linkThreads = newThreads(before);
    }
    const auto start = ThreadSwitches::voluntary(linkThreads);
    const auto startTime = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto end = ThreadSwitches::voluntary(linkThreads);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - startTime;
    link.stopAndWait();
    if (start.empty() || end.empty()) {
        std::fprintf(stderr, "bench_link_idle: the link thread's status could not be read\n");
        return EXIT_FAILURE;
    }

    const double perSecond = double(total(end) - total(start)) / elapsed.count();
    std::printf("link idle: no meter plugged, %d s\n", seconds);
    std::printf("  wake-ups of the link thread   %8.1f a second   (target about %.0f; before the "
                "fix %.0f)\n",
                perSecond, targetPerSecond, beforeFixPerSecond);
    return EXIT_SUCCESS;
}
