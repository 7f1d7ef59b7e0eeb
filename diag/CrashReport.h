// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CrashText.h"

#include <cstddef>
#include <cstdint>

// The general registers of a faulting x86-64 thread, as the report lists them.
struct X64Registers {
    std::uint64_t rax, rbx, rcx, rdx, rsi, rdi, rsp, rbp;
    std::uint64_t r8, r9, r10, r11, r12, r13, r14, r15;
    std::uint64_t rip, eflags;
};

// The same for a 32-bit x86 thread.
struct X86Registers {
    std::uint32_t eax, ebx, ecx, edx, esi, edi, esp, ebp;
    std::uint32_t eip, eflags;
};

struct WindowsVersion {
    std::uint32_t major, minor, build, servicePackMajor, servicePackMinor, productType;
};

// The pieces of the crash report in the order they appear, shared by the Windows filter
// and the Linux signal handler. Each writes its exact text, line ends included.
namespace CrashReport {

constexpr int instructionBytes = 16;
constexpr std::uint32_t accessViolation = 0xC0000005;

void windowsLine(CrashText& out, const WindowsVersion& version);
// Stands where Windows has its version line: the kernel's release and version.
void linuxLine(CrashText& out, const char* release, const char* version);
void processLine(CrashText& out, const char* path);
void exceptionLines(CrashText& out, std::uint64_t address, const char* module, std::uint32_t code);
// Only for an access violation: which kind of access, and where.
void accessLine(CrashText& out, bool write, std::uint64_t address);
// In its place when the system did not say which address (see ExceptionCode).
void unknownAccessLine(CrashText& out, const char* why);
// The first `readable` bytes are shown; the rest of the 16 could not be read and show "??".
void instruction(CrashText& out, const unsigned char* bytes, std::size_t readable);
void registers(CrashText& out, const X64Registers& regs);
void registers(CrashText& out, const X86Registers& regs);
void callStackHeader(CrashText& out);
void callStackEntry(CrashText& out, std::uint64_t returnAddress, const char* module);

} // namespace CrashReport
