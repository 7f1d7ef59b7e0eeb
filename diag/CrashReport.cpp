// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashReport.h"

namespace {

constexpr int codeDigits = 8;
constexpr int byteDigits = 2;
constexpr int registersPerRow = 4;
constexpr int x64Digits = 16;
constexpr int x86Digits = 8;

// "Registers: " then rows of four "NAME: value" separated by two spaces.
void registerBlock(CrashText& out, const char* const* names, const std::uint64_t* values, int count,
                   int digits) {
    out.text("\nRegisters: ");
    for (int i = 0; i < count; ++i) {
        out.text(i % registersPerRow == 0 ? "\n" : "  ");
        out.text(names[i]);
        out.hex(values[i], digits);
    }
}

} // namespace

namespace CrashReport {

void windowsLine(CrashText& out, const WindowsVersion& v) {
    const struct {
        const char* label;
        std::uint32_t value;
    } parts[] = {{"Windows:  ", v.major},
                 {".", v.minor},
                 {".", v.build},
                 {", SP ", v.servicePackMajor},
                 {".", v.servicePackMinor},
                 {", Product Type ", v.productType}};
    for (const auto& part : parts) {
        out.text(part.label);
        out.decimal(part.value);
    }
    out.text("\n");
}

void linuxLine(CrashText& out, const char* release, const char* version) {
    out.text("Linux:  ");
    out.text(release);
    out.text(" ");
    out.text(version);
    out.text("\n");
}

void processLine(CrashText& out, const char* path) {
    out.text("Process:  ");
    out.text(path);
    out.text("\n");
}

void exceptionLines(CrashText& out, std::uint64_t address, const char* module, std::uint32_t code) {
    out.text("Exception Addr:  ");
    out.address(address);
    out.text("   Module: ");
    out.text(module);
    out.text("\nException Code:  ");
    out.hex(code, codeDigits);
    out.text("\n");
}

void accessLine(CrashText& out, bool write, std::uint64_t address) {
    out.text(write ? "Write" : "Read");
    out.text(" Address:  ");
    out.address(address);
    out.text("\n");
}

void unknownAccessLine(CrashText& out, const char* why) {
    out.text("Access Address:  unknown (");
    out.text(why);
    out.text(")\n");
}

void instruction(CrashText& out, const unsigned char* bytes, std::size_t readable) {
    out.text("Instruction: ");
    for (std::size_t i = 0; i < instructionBytes; ++i) {
        out.text(" ");
        if (i < readable)
            out.hex(bytes[i], byteDigits);
        else
            out.text("??");
    }
}

void registers(CrashText& out, const X64Registers& r) {
    static constexpr const char* names[] = {
        "RAX: ", "RBX: ", "RCX: ", "RDX: ", "RSI: ", "RDI: ", "RSP: ", "RBP: ", "R8:  ",
        "R9:  ", "R10: ", "R11: ", "R12: ", "R13: ", "R14: ", "R15: ", "RIP: ", "EFlags: "};
    const std::uint64_t values[] = {r.rax, r.rbx, r.rcx, r.rdx, r.rsi, r.rdi,
                                    r.rsp, r.rbp, r.r8,  r.r9,  r.r10, r.r11,
                                    r.r12, r.r13, r.r14, r.r15, r.rip, r.eflags};
    registerBlock(out, names, values, sizeof values / sizeof values[0], x64Digits);
}

void registers(CrashText& out, const X86Registers& r) {
    static constexpr const char* names[] = {"EAX: ", "EBX: ", "ECX: ", "EDX: ", "ESI: ",
                                            "EDI: ", "ESP: ", "EBP: ", "EIP: ", "EFlags: "};
    const std::uint64_t values[] = {r.eax, r.ebx, r.ecx, r.edx, r.esi,
                                    r.edi, r.esp, r.ebp, r.eip, r.eflags};
    registerBlock(out, names, values, sizeof values / sizeof values[0], x86Digits);
}

void callStackHeader(CrashText& out) {
    out.text("\nCall Stack:");
}

void callStackEntry(CrashText& out, std::uint64_t returnAddress, const char* module) {
    out.text("\n");
    out.address(returnAddress);
    out.text("  ");
    out.text(module);
}

} // namespace CrashReport
