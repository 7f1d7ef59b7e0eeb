// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The crash helper run as a child process in a given working directory, its standard output
// read through a pipe, and how it ended.
class CrashChild {
public:
    static constexpr int timeoutMs = 30000;

    CrashChild(const QString& mode, const QString& workDir);
    ~CrashChild();
    CrashChild(const CrashChild&) = delete;
    CrashChild& operator=(const CrashChild&) = delete;

    // The next line of output without its line end; empty when none came in time.
    QByteArray readLine();
    // Waits for the child to end (killing it when it hangs) and returns the signal that
    // ended it, or 0 when it exited on its own or had to be killed.
    int terminatingSignal();

private:
    bool readMore();

    pid_t pid = -1;
    int output = -1;
    QByteArray pending;
};
