// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashStack.h"

#if defined(__linux__)

#include <csignal>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Room for the kernel's saved context (large with wide vector registers) and the handler.
constexpr std::size_t handlerStackSize = 64 * 1024;

bool hasAlternateStack() {
    stack_t current{};
    return sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) == 0;
}

} // namespace

ThreadCrashStack::ThreadCrashStack() {
    if (hasAlternateStack())
        return;
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t size = handlerStackSize + page;
    void* memory =
        mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (memory == MAP_FAILED)
        return;
    // The lowest page stays inaccessible: a handler that overran its stack faults there
    // instead of writing over whatever lies below.
    mprotect(memory, page, PROT_NONE);
    stack_t stack{};
    stack.ss_sp = static_cast<char*>(memory) + page;
    stack.ss_size = handlerStackSize;
    if (sigaltstack(&stack, nullptr) != 0) {
        munmap(memory, size);
        return;
    }
    region = memory;
    regionSize = size;
}

ThreadCrashStack::~ThreadCrashStack() {
    if (region == nullptr)
        return;
    stack_t off{};
    off.ss_flags = SS_DISABLE;
    sigaltstack(&off, nullptr);
    munmap(region, regionSize);
}

#else

// Elsewhere the platform reports a stack overflow on its own.
ThreadCrashStack::ThreadCrashStack() = default;
ThreadCrashStack::~ThreadCrashStack() = default;

#endif
