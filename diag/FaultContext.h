// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CrashReport.h"

#include <cstdint>

// What the report needs from the interrupted thread's machine context.
struct FaultContext {
    std::uintptr_t pc, sp, fp;
    // The page-fault error code said the access was a write.
    bool writeAccess;
    long trap; // the x86 trap number (14 a page fault, 13 a general protection fault)
#if defined(__x86_64__)
    X64Registers registers;
#else
    X86Registers registers;
#endif
};

// `context` is the third argument of an SA_SIGINFO handler. Async-signal-safe.
FaultContext faultContextOf(const void* context);
