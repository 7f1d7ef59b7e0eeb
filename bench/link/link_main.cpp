// SPDX-License-Identifier: GPL-3.0-or-later
// The link thread's CPU cost and report delay with the simulated meter sending one report
// a second, next to a spinning non-blocking reader measured the same way just after it.
#include "LinkBenchSetup.h"
#include "LinkThreadReader.h"
#include "Measurement.h"
#include "Percentile.h"
#include "SpinningReader.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int defaultSeconds = 30;
constexpr double cpuTargetPercent = 1.0;
constexpr double p99TargetMs = 5.0;

void printFigures(const char* reader, const LinkFigures& figures) {
    std::printf("  %-30s CPU %8.3f %% of one core   delay median %7.3f ms  p99 %7.3f ms   "
                "reports %zu/%d\n",
                reader, figures.cpuPercent, percentile(figures.delaysMs, 0.5),
                percentile(figures.delaysMs, 0.99), figures.delaysMs.size(), figures.sent);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir workDir;
    const int seconds = LinkBenchSetup::start(
        app, workDir, "bench_link", "Length of each of the two measurements (default %1).",
        defaultSeconds);
    if (seconds < 0)
        return EXIT_FAILURE;

    std::printf("link: one report a second from the simulated meter, %d s per reader, one "
                "reader after the other\n",
                seconds);
    LinkThreadReader blocking;
    const std::optional<LinkFigures> linkThread = measure(blocking, std::chrono::seconds(seconds));
    if (!linkThread)
        return EXIT_FAILURE;
    printFigures("link thread (blocking reads):", *linkThread);
    SpinningReader spinning;
    const std::optional<LinkFigures> spinner = measure(spinning, std::chrono::seconds(seconds));
    if (!spinner)
        return EXIT_FAILURE;
    printFigures("spinning non-blocking reader:", *spinner);

    std::printf("  CPU ratio spinning/blocking: %.0fx\n",
                spinner->cpuPercent / linkThread->cpuPercent);
    const bool met = linkThread->cpuPercent < cpuTargetPercent &&
                     percentile(linkThread->delaysMs, 0.99) < p99TargetMs;
    std::printf("  link thread target (under %.0f %% of a core, p99 under %.0f ms): %s\n",
                cpuTargetPercent, p99TargetMs, met ? "met" : "missed");
    return EXIT_SUCCESS;
}
