// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time of the program: process start to main window shown, offscreen, over
// several runs each in a fresh working directory (so usb-hid.ini starts absent).
#include "BenchSize.h"
#include "Percentile.h"
#include "ProbeRun.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

const int runCount = benchSize(10, 1);

std::optional<std::string> makeWorkDir() {
    std::string pattern = std::filesystem::temp_directory_path() / "bench-startup-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("bench_startup: mkdtemp");
        return std::nullopt;
    }
    return pattern;
}

} // namespace

int main() {
    // Each figure shows as soon as it is known, even through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::printf("startup: process start to main window shown (offscreen), %d runs\n", runCount);
    std::vector<double> shownMs;
    std::vector<double> peakRssMiB;
    for (int run = 1; run <= runCount; ++run) {
        const std::optional<std::string> workDir = makeWorkDir();
        if (!workDir)
            return EXIT_FAILURE;
        const std::optional<ProbeFigures> figures = runProbe(STARTUP_PROBE_PATH, *workDir);
        std::filesystem::remove_all(*workDir);
        if (!figures)
            return EXIT_FAILURE;
        std::printf("  run %2d: %7.1f ms   peak RSS %6.1f MiB\n", run, figures->shownMs,
                    figures->peakRssMiB);
        shownMs.push_back(figures->shownMs);
        peakRssMiB.push_back(figures->peakRssMiB);
    }
    std::printf("  median: %7.1f ms   peak RSS %6.1f MiB\n", percentile(shownMs, 0.5),
                percentile(peakRssMiB, 0.5));
    return EXIT_SUCCESS;
}
