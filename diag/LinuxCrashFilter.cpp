// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashFilter.h"

#include "CrashReport.h"
#include "CrashStack.h"
#include "ExceptionCode.h"
#include "FaultContext.h"
#include "FrameWalk.h"
#include "ModuleTable.h"
#include "SafeMemory.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

// Everything here runs in a signal handler, possibly on a thread whose stack is gone: no
// allocation, no locks, no stdio, only async-signal-safe calls, and all storage is static.
namespace {

constexpr int fatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr std::size_t reportCapacity = 16 * 1024;
constexpr std::size_t pathCapacity = 4096;
constexpr mode_t directoryMode = 0777;
constexpr mode_t fileMode = 0666;

utsname kernel;
char programPath[pathCapacity];
char report[reportCapacity];
ModuleTable modules;
std::uintptr_t stackAddresses[FrameWalk::maxFrames];

// Taken by the first thread that faults; any later one never writes.
std::atomic<bool> reporting{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the report guard must not lock");

void readProgramPath() {
    const ssize_t length = readlink("/proc/self/exe", programPath, pathCapacity - 1);
    programPath[length > 0 ? length : 0] = '\0';
}

void addInstruction(CrashText& out, std::uintptr_t pc) {
    unsigned char bytes[CrashReport::instructionBytes];
    CrashReport::instruction(out, bytes, SafeMemory::read(bytes, pc, sizeof bytes));
}

void addCallStack(CrashText& out, const FaultContext& fault) {
    CrashReport::callStackHeader(out);
    const std::uintptr_t first = FrameWalk::firstAddress(fault.pc, fault.sp, modules);
    const std::size_t count =
        FrameWalk::walk(fault.fp, first, modules, stackAddresses, FrameWalk::maxFrames);
    for (std::size_t i = 0; i < count; ++i)
        CrashReport::callStackEntry(out, stackAddresses[i], modules.pathOf(stackAddresses[i]));
}

std::size_t buildReport(int signal, const siginfo_t& info, const FaultContext& fault) {
    modules.capture(programPath);
    const auto faultAddress = reinterpret_cast<std::uintptr_t>(info.si_addr);
    const std::uint32_t code =
        ExceptionCode::forSignal(signal, info.si_code, faultAddress, fault.sp);
    CrashText out(report, reportCapacity);
    CrashReport::linuxLine(out, kernel.release, kernel.version);
    CrashReport::processLine(out, programPath);
    CrashReport::exceptionLines(out, fault.pc, modules.pathOf(fault.pc), code);
    if (code == CrashReport::accessViolation) {
        if (const char* why = ExceptionCode::unknownAddressReason(info.si_code, fault.trap))
            CrashReport::unknownAccessLine(out, why);
        else
            CrashReport::accessLine(out, fault.writeAccess, faultAddress);
    }
    addInstruction(out, fault.pc);
    CrashReport::registers(out, fault.registers);
    addCallStack(out, fault);
    return out.size();
}

void writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

// Started in a shared folder, a planted symlink (as MyApp or as crash.log) must not make a
// crash write over another file of the user: neither is followed.
void writeReport(std::size_t size) {
    mkdir(CrashFilter::directory, directoryMode);
    const int folder =
        open(CrashFilter::directory, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return;
    const int fd = openat(folder, CrashFilter::reportName,
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, fileMode);
    close(folder);
    if (fd < 0)
        return;
    writeAll(fd, report, size);
    close(fd);
}

// The signal stays blocked until the handler returns, then ends the process with the default
// action: the exit status and any core dump name the original fault.
void raiseDefault(int signal) {
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    raise(signal);
}

void onFatalSignal(int signal, siginfo_t* info, void* context) {
    if (reporting.exchange(true)) {
        // Another thread is reporting and will end the process.
        for (;;)
            pause();
    }
    const int savedErrno = errno;
    writeReport(buildReport(signal, *info, faultContextOf(context)));
    errno = savedErrno;
    raiseDefault(signal);
}

void installHandlers() {
    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    // A second fault of any kind on the reporting thread ends the process at once.
    sigemptyset(&action.sa_mask);
    for (int signal : fatalSignals)
        sigaddset(&action.sa_mask, signal);
    for (int signal : fatalSignals)
        sigaction(signal, &action, nullptr);
}

} // namespace

void installCrashFilter() {
    if (CrashFilter::stepsAside)
        return;
    // Kernel and program path do not change while the process runs: read them while it is
    // still safe to.
    static const bool installed = [] {
        uname(&kernel);
        readProgramPath();
        static ThreadCrashStack mainThreadStack;
        installHandlers();
        return true;
    }();
    (void)installed;
}
