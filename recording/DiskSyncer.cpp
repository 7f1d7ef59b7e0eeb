// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskSyncer.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#endif

bool syncFileData(int fd) {
#if defined(Q_OS_UNIX)
    // Data and the size that reaches it; the file's times are not needed.
    return ::fdatasync(fd) == 0;
#elif defined(Q_OS_WIN)
    return ::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(fd))) != 0;
#else
    Q_UNUSED(fd)
    return true;
#endif
}

DiskSyncer::~DiskSyncer() {
    {
        const std::lock_guard<std::mutex> guard(lock);
        quitting = true;
    }
    changed.notify_all();
    if (worker.joinable())
        worker.join();
}

void DiskSyncer::request(int fd) {
    {
        const std::lock_guard<std::mutex> guard(lock);
        pendingFd = fd;
        if (!worker.joinable())
            worker = std::thread(&DiskSyncer::run, this);
    }
    changed.notify_all();
}

void DiskSyncer::waitIdle() {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [this] { return pendingFd < 0 && !busy; });
}

void DiskSyncer::run() {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [this] { return quitting || pendingFd >= 0; });
        if (pendingFd < 0)
            return; // quitting with nothing left to put on the disk
        const int fd = pendingFd;
        pendingFd = -1;
        busy = true;
        guard.unlock();
        syncFileData(fd);
        guard.lock();
        busy = false;
        changed.notify_all();
    }
}
