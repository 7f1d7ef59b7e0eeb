// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>

// CPU time the calling thread has used, in milliseconds: a GUI thread's own cost, which
// other processes on a shared machine do not inflate.
inline double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
