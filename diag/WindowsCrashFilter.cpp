// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashFilter.h"

#include "CrashReport.h"

#include <windows.h>

#include <tlhelp32.h>

// The unhandled-exception filter: builds the report in memory, writes it once, and lets the
// process end without the system's error dialog.
namespace {

constexpr std::size_t reportCapacity = 16 * 1024;
// A path of MAX_PATH UTF-16 units takes at most three UTF-8 bytes per unit.
constexpr int utf8PathCapacity = 3 * MAX_PATH + 1;
constexpr int maxFrames = 64;

char report[reportCapacity];

using Utf8Path = char[utf8PathCapacity];

void toUtf8(const wchar_t* wide, Utf8Path& out) {
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, utf8PathCapacity, nullptr, nullptr) == 0)
        out[0] = '\0';
}

void moduleOf(DWORD_PTR address, Utf8Path& out) {
    out[0] = '\0';
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot, &entry); more;
         more = Module32NextW(snapshot, &entry)) {
        if (address - reinterpret_cast<DWORD_PTR>(entry.modBaseAddr) < entry.modBaseSize) {
            wchar_t path[MAX_PATH];
            lstrcpynW(path, entry.szExePath, MAX_PATH);
            toUtf8(path, out);
            break;
        }
    }
    CloseHandle(snapshot);
}

void addWindowsLine(CrashText& out) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
        return;
    const DWORD build = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? info.dwBuildNumber
                                                                   : info.dwBuildNumber & 0xFFFF;
    CrashReport::windowsLine(out,
                             {info.dwMajorVersion, info.dwMinorVersion, build,
                              info.wServicePackMajor, info.wServicePackMinor, info.wProductType});
}

void addProcessLine(CrashText& out) {
    wchar_t wide[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, wide, MAX_PATH);
    wide[length < MAX_PATH ? length : MAX_PATH - 1] = L'\0';
    Utf8Path path;
    toUtf8(wide, path);
    CrashReport::processLine(out, path);
}

void addException(CrashText& out, const EXCEPTION_RECORD& record) {
    const auto address = reinterpret_cast<DWORD_PTR>(record.ExceptionAddress);
    Utf8Path module;
    moduleOf(address, module);
    CrashReport::exceptionLines(out, address, module, record.ExceptionCode);
    if (record.ExceptionCode == CrashReport::accessViolation)
        CrashReport::accessLine(out, record.ExceptionInformation[0] != 0,
                                record.ExceptionInformation[1]);
    const void* code = record.ExceptionAddress;
    const bool readable = !IsBadReadPtr(code, CrashReport::instructionBytes);
    CrashReport::instruction(out, static_cast<const unsigned char*>(code),
                             readable ? CrashReport::instructionBytes : 0);
}

#if defined(_M_IX86)
DWORD_PTR framePointerOf(const CONTEXT& c) {
    return c.Ebp;
}
void addRegisters(CrashText& out, const CONTEXT& c) {
    CrashReport::registers(
        out, X86Registers{c.Eax, c.Ebx, c.Ecx, c.Edx, c.Esi, c.Edi, c.Esp, c.Ebp, c.Eip, c.EFlags});
}
#elif defined(_M_X64)
DWORD_PTR framePointerOf(const CONTEXT& c) {
    return c.Rbp;
}
void addRegisters(CrashText& out, const CONTEXT& c) {
    CrashReport::registers(out, X64Registers{c.Rax, c.Rbx, c.Rcx, c.Rdx, c.Rsi, c.Rdi, c.Rsp, c.Rbp,
                                             c.R8, c.R9, c.R10, c.R11, c.R12, c.R13, c.R14, c.R15,
                                             c.Rip, c.EFlags});
}
#else
#error "The crash filter knows the registers of x86 and x64 only"
#endif

// Saved frame pointer, then return address; a link that does not climb the stack ends it.
void addCallStack(CrashText& out, DWORD_PTR frame, DWORD_PTR returnAddress) {
    CrashReport::callStackHeader(out);
    for (int i = 0; i < maxFrames; ++i) {
        const auto* words = reinterpret_cast<const DWORD_PTR*>(frame);
        if (IsBadReadPtr(words, sizeof(DWORD_PTR)) ||
            IsBadCodePtr(reinterpret_cast<FARPROC>(returnAddress)))
            return;
        Utf8Path module;
        moduleOf(returnAddress, module);
        CrashReport::callStackEntry(out, returnAddress, module);
        if (words[0] <= frame || IsBadReadPtr(words, 2 * sizeof(DWORD_PTR)))
            return;
        returnAddress = words[1];
        frame = words[0];
    }
}

void writeReport(const CrashText& text) {
    CreateDirectoryW(L"MyApp", nullptr);
    const HANDLE file = CreateFileW(L"MyApp\\crash.log", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

LONG WINAPI unhandledExceptionFilter(EXCEPTION_POINTERS* pointers) {
    CrashText out(report, reportCapacity);
    addWindowsLine(out);
    addProcessLine(out);
    addException(out, *pointers->ExceptionRecord);
    addRegisters(out, *pointers->ContextRecord);
    addCallStack(out, framePointerOf(*pointers->ContextRecord),
                 reinterpret_cast<DWORD_PTR>(pointers->ExceptionRecord->ExceptionAddress));
    writeReport(out);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void installCrashFilter() {
    if (CrashFilter::stepsAside)
        return;
    SetUnhandledExceptionFilter(unhandledExceptionFilter);
}
