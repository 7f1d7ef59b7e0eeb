// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashChild.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

CrashChild::CrashChild(const QString& mode, const QString& workDir) {
    const QByteArray program = QByteArray(CRASH_HELPER_PATH);
    const QByteArray argument = mode.toLocal8Bit();
    const QByteArray directory = workDir.toLocal8Bit();
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        // Dozens of deliberate crashes should not leave core files behind.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        dup2(ends[1], STDOUT_FILENO);
        if (chdir(directory.constData()) == 0)
            execl(program.constData(), program.constData(), argument.constData(), nullptr);
        _exit(127);
    }
    close(ends[1]);
    output = ends[0];
}

CrashChild::~CrashChild() {
    terminatingSignal();
}

bool CrashChild::readMore() {
    if (output < 0)
        return false;
    pollfd ready{output, POLLIN, 0};
    char chunk[4096];
    const ssize_t got = poll(&ready, 1, timeoutMs) == 1 ? read(output, chunk, sizeof chunk) : -1;
    if (got > 0)
        pending.append(chunk, static_cast<int>(got));
    return got > 0;
}

QByteArray CrashChild::readLine() {
    while (!pending.contains('\n')) {
        if (!readMore())
            return {};
    }
    const int end = pending.indexOf('\n');
    const QByteArray line = pending.left(end);
    pending.remove(0, end + 1);
    return line;
}

int CrashChild::terminatingSignal() {
    if (pid <= 0)
        return 0;
    // The pipe closes when the child is gone; a child that hangs is killed.
    while (readMore()) {
    }
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = -1;
    close(output);
    output = -1;
    return WIFSIGNALED(status) && WTERMSIG(status) != SIGKILL ? WTERMSIG(status) : 0;
}
