// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The Windows exception code a fatal signal stands for in the report, so that readers and
// tools that know those codes keep working.
namespace ExceptionCode {

constexpr std::uint32_t accessViolation = 0xC0000005;
constexpr std::uint32_t inPageError = 0xC0000006;
constexpr std::uint32_t datatypeMisalignment = 0x80000002;
constexpr std::uint32_t illegalInstruction = 0xC000001D;
constexpr std::uint32_t privilegedInstruction = 0xC0000096;
constexpr std::uint32_t integerDivideByZero = 0xC0000094;
constexpr std::uint32_t integerOverflow = 0xC0000095;
constexpr std::uint32_t floatDivideByZero = 0xC000008E;
constexpr std::uint32_t floatInexactResult = 0xC000008F;
constexpr std::uint32_t floatInvalidOperation = 0xC0000090;
constexpr std::uint32_t floatOverflow = 0xC0000091;
constexpr std::uint32_t floatUnderflow = 0xC0000093;
constexpr std::uint32_t arrayBoundsExceeded = 0xC000008C;
constexpr std::uint32_t stackOverflow = 0xC00000FD;
// abort(): the program ended itself.
constexpr std::uint32_t fatalAppExit = 0x40000015;

// A fault this close to the stack pointer is taken for the stack running out.
constexpr std::uintptr_t stackOverflowReach = 64 * 1024;

// `signal` and `signalCode` as in siginfo_t; the fault and stack addresses tell a stack
// overflow from another invalid access.
std::uint32_t forSignal(int signal, int signalCode, std::uintptr_t faultAddress,
                        std::uintptr_t stackPointer);

// Why the fault's address is not known, or nullptr when si_addr is the address: a general
// protection fault (trap 13, a non-canonical pointer) gives 0 and no write bit, and a
// signal sent by a process (kill, raise: si_code <= 0) has no fault at all.
const char* unknownAddressReason(int signalCode, long trap);

} // namespace ExceptionCode
