// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExceptionCode.h"

#include <csignal>

namespace {

using namespace ExceptionCode;

std::uint32_t forAccess(std::uintptr_t faultAddress, std::uintptr_t stackPointer) {
    const std::uintptr_t distance =
        faultAddress > stackPointer ? faultAddress - stackPointer : stackPointer - faultAddress;
    return distance < stackOverflowReach ? stackOverflow : accessViolation;
}

std::uint32_t forArithmetic(int signalCode) {
    switch (signalCode) {
    case FPE_INTDIV:
        return integerDivideByZero;
    case FPE_INTOVF:
        return integerOverflow;
    case FPE_FLTDIV:
        return floatDivideByZero;
    case FPE_FLTOVF:
        return floatOverflow;
    case FPE_FLTUND:
        return floatUnderflow;
    case FPE_FLTRES:
        return floatInexactResult;
    case FPE_FLTSUB:
        return arrayBoundsExceeded;
    default:
        return floatInvalidOperation;
    }
}

std::uint32_t forInstruction(int signalCode) {
    const bool privileged = signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG;
    return privileged ? privilegedInstruction : illegalInstruction;
}

} // namespace

namespace ExceptionCode {

std::uint32_t forSignal(int signal, int signalCode, std::uintptr_t faultAddress,
                        std::uintptr_t stackPointer) {
    switch (signal) {
    case SIGSEGV:
        return forAccess(faultAddress, stackPointer);
    case SIGFPE:
        return forArithmetic(signalCode);
    case SIGILL:
        return forInstruction(signalCode);
    case SIGBUS:
        return signalCode == BUS_ADRALN ? datatypeMisalignment : inPageError;
    default:
        return fatalAppExit;
    }
}

const char* unknownAddressReason(int signalCode, long trap) {
    constexpr long generalProtectionTrap = 13;
    if (signalCode <= 0)
        return "signal sent by a process";
    if (signalCode == SI_KERNEL || trap == generalProtectionTrap)
        return "general protection fault";
    return nullptr;
}

} // namespace ExceptionCode
