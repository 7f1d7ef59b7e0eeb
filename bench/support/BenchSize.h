// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>

// `make bench-smoke` sets BENCH_SMOKE to run every benchmark on tiny sizes in a few
// seconds, only to see that each still runs; its figures mean nothing.
inline bool benchSmoke() {
    static const bool smoke = std::getenv("BENCH_SMOKE") != nullptr;
    return smoke;
}

// The size a benchmark measures at, or its tiny one in a smoke run.
template <typename T> T benchSize(T full, T tiny) {
    return benchSmoke() ? tiny : full;
}
