// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaultContext.h"

#include <ucontext.h>

namespace {

constexpr greg_t pageFaultTrap = 14;
constexpr greg_t pageFaultWriteBit = 0x2;

bool isWrite(const gregset_t& g) {
    return g[REG_TRAPNO] == pageFaultTrap && (g[REG_ERR] & pageFaultWriteBit) != 0;
}

} // namespace

#if defined(__x86_64__)

FaultContext faultContextOf(const void* context) {
    const gregset_t& g = static_cast<const ucontext_t*>(context)->uc_mcontext.gregs;
    const auto r = [&g](int index) { return static_cast<std::uint64_t>(g[index]); };
    const X64Registers regs{r(REG_RAX), r(REG_RBX), r(REG_RCX), r(REG_RDX), r(REG_RSI), r(REG_RDI),
                            r(REG_RSP), r(REG_RBP), r(REG_R8),  r(REG_R9),  r(REG_R10), r(REG_R11),
                            r(REG_R12), r(REG_R13), r(REG_R14), r(REG_R15), r(REG_RIP), r(REG_EFL)};
    return FaultContext{regs.rip, regs.rsp, regs.rbp, isWrite(g), long(g[REG_TRAPNO]), regs};
}

#elif defined(__i386__)

FaultContext faultContextOf(const void* context) {
    const gregset_t& g = static_cast<const ucontext_t*>(context)->uc_mcontext.gregs;
    const auto r = [&g](int index) { return static_cast<std::uint32_t>(g[index]); };
    // REG_UESP is the thread's own stack pointer; REG_ESP is the kernel's copy.
    const X86Registers regs{r(REG_EAX), r(REG_EBX),  r(REG_ECX), r(REG_EDX), r(REG_ESI),
                            r(REG_EDI), r(REG_UESP), r(REG_EBP), r(REG_EIP), r(REG_EFL)};
    return FaultContext{regs.eip, regs.esp, regs.ebp, isWrite(g), long(g[REG_TRAPNO]), regs};
}

#else
#error "The crash reporter knows the registers of x86 and x86-64 only"
#endif
