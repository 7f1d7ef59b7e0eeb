// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Gives the calling thread a stack of its own for the crash handler, so that a fault caused by
// the thread running out of stack is still reported. Make one at the start of a thread's work;
// it is released when the object goes. A thread that already has such a stack keeps it.
class ThreadCrashStack {
public:
    ThreadCrashStack();
    ~ThreadCrashStack();
    ThreadCrashStack(const ThreadCrashStack&) = delete;
    ThreadCrashStack& operator=(const ThreadCrashStack&) = delete;

private:
    void* region = nullptr;
    std::size_t regionSize = 0;
};
