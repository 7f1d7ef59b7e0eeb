// SPDX-License-Identifier: GPL-3.0-or-later
// Installs the crash reporter and then faults the way its one argument names. The crash
// reporter tests run it as a child process and read what it leaves behind.
#include "CrashFilter.h"
#include "CrashStack.h"

#include <atomic>
#include <cinttypes>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <link.h>
#include <string>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

volatile bool keepGoing = true;
volatile int sink;

[[gnu::noinline]] void writeNull() {
    volatile int* volatile target = nullptr;
    *target = 1;
}

[[gnu::noinline]] void readUnmapped() {
    const long page = sysconf(_SC_PAGESIZE);
    void* memory = mmap(nullptr, page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    munmap(memory, page);
    std::printf("%016" PRIXPTR "\n", reinterpret_cast<std::uintptr_t>(memory));
    std::fflush(stdout);
    std::printf("%d\n", *static_cast<volatile int*>(memory));
}

[[gnu::noinline]] void divideByZero() {
    volatile int dividend = 1000;
    volatile int zero = 0;
    sink = dividend / zero;
}

[[gnu::noinline]] int overflowStack(int depth) {
    volatile char frame[256];
    frame[0] = static_cast<char>(depth);
    return keepGoing ? overflowStack(depth + 1) + frame[0] : 0;
}

[[gnu::noinline]] void callNull() {
    void (*volatile function)() = nullptr;
    function();
}

void onSecondThread(void (*fault)()) {
    std::thread second([fault] {
        const ThreadCrashStack crashStack;
        fault();
    });
    second.join();
}

// The number of the system call `thread` is blocked in, or -1 while it runs.
long blockedIn(pid_t thread) {
    long number = -1;
    std::ifstream("/proc/self/task/" + std::to_string(thread) + "/syscall") >> number;
    return number;
}

void waitUntilBlocked(pid_t thread, long call, long otherCall) {
    for (long now = blockedIn(thread); now != call && now != otherCall; now = blockedIn(thread))
        std::this_thread::yield();
}

pid_t currentThread() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

// The main thread faults and its report waits in open() until the test opens the report's
// FIFO. Meanwhile a second thread faults in another way; once that one too sits in the handler
// (waiting, or in open() if nothing held it back), the test is told to read the report.
void faultWhileReporting() {
    const pid_t first = currentThread();
    std::atomic<pid_t> second{0};
    std::atomic<bool> go{false};
    std::thread faulting([&] {
        second = currentThread();
        while (!go)
            std::this_thread::yield();
        divideByZero();
    });
    std::thread watcher([&] {
        waitUntilBlocked(first, SYS_openat, SYS_openat);
        while (second == 0)
            std::this_thread::yield();
        go = true;
        waitUntilBlocked(second, SYS_pause, SYS_openat);
        std::puts("second");
        std::fflush(stdout);
    });
    writeNull();
    faulting.join();
    watcher.join();
}

// The main thread faults once `enter`, on a thread of its own, has written a byte to
// `insideFd`: from then on that thread holds the dynamic loader's lock for good.
void faultWhileAnotherThreadIsIn(void (*enter)(int insideFd)) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return;
    std::thread([enter, fd = pipeEnds[1]] { enter(fd); }).detach();
    char inside = 0;
    if (read(pipeEnds[0], &inside, 1) == 1)
        writeNull();
}

// Inside dlopen: the library's constructor tells, then stalls.
void loadStallLibrary(int insideFd) {
    setenv("STALL_FD", std::to_string(insideFd).c_str(), 1);
    dlopen(STALL_LIBRARY_PATH, RTLD_NOW);
}

// Inside dl_iterate_phdr, as the unwinder is while it looks for a frame's tables.
void stallInModuleWalk(int insideFd) {
    dl_iterate_phdr(
        [](dl_phdr_info*, std::size_t, void* fd) {
            const char inside = 1;
            if (write(*static_cast<int*>(fd), &inside, 1) == 1)
                for (;;)
                    pause();
            return 1;
        },
        &insideFd);
}

// A write through a non-canonical pointer: a general protection fault, not a page fault.
[[gnu::noinline]] void writeNonCanonical() {
    volatile int* volatile target = reinterpret_cast<int*>(0x8000000000000000ull);
    *target = 1;
}

const struct {
    const char* mode;
    void (*fault)();
} faults[] = {
    {"null-write", writeNull},
    {"unmapped-read", readUnmapped},
    {"divide-by-zero", divideByZero},
    {"illegal-instruction", [] { __builtin_trap(); }},
    {"stack-overflow", [] { overflowStack(0); }},
    {"null-call", callNull},
    {"thread-null-write", [] { onSecondThread(writeNull); }},
    {"thread-stack-overflow", [] { onSecondThread([] { overflowStack(0); }); }},
    {"fault-while-reporting", faultWhileReporting},
    {"fault-inside-dlopen", [] { faultWhileAnotherThreadIsIn(loadStallLibrary); }},
    {"fault-inside-module-walk", [] { faultWhileAnotherThreadIsIn(stallInModuleWalk); }},
    {"non-canonical-write", writeNonCanonical},
    {"killed-with-segv", [] { kill(getpid(), SIGSEGV); }},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    installCrashFilter();
    for (const auto& entry : faults) {
        if (std::strcmp(entry.mode, argv[1]) == 0) {
            entry.fault();
            return 1;
        }
    }
    return 2;
}
