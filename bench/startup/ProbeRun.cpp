// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto probeTimeout = std::chrono::seconds(30);
constexpr const char* shownLine = "shown\n";
constexpr double kibPerMiB = 1024.0;
constexpr int execFailedStatus = 127;
// The probe's diagnostics go here, in its working directory, and are shown only when it
// fails, so a healthy run prints nothing but figures.
constexpr const char* stderrFile = "probe-stderr.log";
constexpr mode_t stderrFileMode = 0644;

// Runs in the forked child: only async-signal-safe calls until exec. The pipe and the log
// are close-on-exec; dup2 gives the probe copies without that flag.
[[noreturn]] void execProbe(const std::string& probe, const std::string& workDir, int stdoutFd) {
    const bool placed = chdir(workDir.c_str()) == 0 && dup2(stdoutFd, STDOUT_FILENO) >= 0;
    const int stderrFd =
        placed ? open(stderrFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, stderrFileMode) : -1;
    if (stderrFd >= 0 && dup2(stderrFd, STDERR_FILENO) >= 0) {
        char* const argv[] = {const_cast<char*>(probe.c_str()), nullptr};
        execve(probe.c_str(), argv, environ);
    }
    _exit(execFailedStatus);
}

// Reads the child's stdout to its end; returns when the shown line was complete, if it was.
std::optional<Clock::time_point> readUntilEnd(int fd, Clock::time_point deadline) {
    std::string output;
    std::optional<Clock::time_point> shownAt;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd watched{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) <= 0) {
            std::fprintf(stderr, "startup probe: no end within %lld s\n",
                         static_cast<long long>(probeTimeout.count()));
            return std::nullopt;
        }
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return shownAt;
        output.append(buffer, static_cast<size_t>(n));
        if (!shownAt && output.find(shownLine) != std::string::npos)
            shownAt = Clock::now();
    }
}

void showProbeDiagnostics(const std::string& workDir) {
    std::ifstream diagnostics(workDir + "/" + stderrFile);
    std::cerr << diagnostics.rdbuf();
}

} // namespace

std::optional<ProbeFigures> runProbe(const std::string& probe, const std::string& workDir) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        std::perror("startup probe: pipe2");
        return std::nullopt;
    }
    const Clock::time_point spawnedAt = Clock::now();
    const pid_t child = fork();
    if (child == 0)
        execProbe(probe, workDir, fds[1]);
    close(fds[1]);
    if (child < 0) {
        std::perror("startup probe: fork");
        close(fds[0]);
        return std::nullopt;
    }
    const std::optional<Clock::time_point> shownAt = readUntilEnd(fds[0], spawnedAt + probeTimeout);
    close(fds[0]);
    if (!shownAt)
        kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !shownAt) {
        std::fprintf(stderr, "startup probe: did not finish with its window shown\n");
        showProbeDiagnostics(workDir);
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup probe: ended with status %d\n", status);
        showProbeDiagnostics(workDir);
        return std::nullopt;
    }
    ProbeFigures figures;
    figures.shownMs = std::chrono::duration<double, std::milli>(*shownAt - spawnedAt).count();
    // ru_maxrss is in KiB on Linux. It also covers the launcher's own small resident set
    // at the fork, which the child's high-water mark starts from.
    figures.peakRssMiB = static_cast<double>(usage.ru_maxrss) / kibPerMiB;
    return figures;
}
