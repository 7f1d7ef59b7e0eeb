// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// Puts a file's written data on the disk from a thread of its own, so that the caller
// (the GUI thread, once a sample) never waits the milliseconds a data sync takes.
// Requests made while a sync runs are folded into one more sync.
class DiskSyncer {
public:
    DiskSyncer() = default;
    ~DiskSyncer();
    DiskSyncer(const DiskSyncer&) = delete;
    DiskSyncer& operator=(const DiskSyncer&) = delete;

    // Asks for a data sync of the open file descriptor fd; returns at once.
    void request(int fd);
    // Returns once no sync is asked for or running: the file may then be closed.
    void waitIdle();

private:
    void run();

    std::mutex lock;
    std::condition_variable changed;
    std::thread worker;
    int pendingFd = -1;
    bool busy = false;
    bool quitting = false;
};

// A data sync of fd on the caller's thread (fdatasync; FlushFileBuffers on Windows); false
// when the system says the data did not reach the disk.
bool syncFileData(int fd);
