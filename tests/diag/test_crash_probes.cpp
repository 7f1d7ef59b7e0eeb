// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashFilter.h"
#include "CrashStack.h"
#include "ExceptionCode.h"
#include "FrameWalk.h"
#include "ModuleTable.h"
#include "SafeMemory.h"

#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>

namespace {

[[gnu::noinline]] int markerA() {
    return 1;
}
[[gnu::noinline]] int markerB() {
    return 2;
}

std::uintptr_t codeAddress(int (*function)()) {
    return reinterpret_cast<std::uintptr_t>(function);
}

// A frame as the walk expects it: the caller's frame pointer, then the return address.
struct Frame {
    std::uintptr_t callerFrame;
    std::uintptr_t returnAddress;
};

bool hasSignalStack() {
    stack_t current{};
    return sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) == 0;
}

std::uintptr_t addressOf(const Frame& frame) {
    return reinterpret_cast<std::uintptr_t>(&frame);
}

} // namespace

// What the crash handler learns about the faulting process: memory read without faulting,
// the loaded modules, the frame chain and the exception code of a signal.
class TestCrashProbes : public QObject {
    Q_OBJECT

private:
    ModuleTable modules;
    long page = sysconf(_SC_PAGESIZE);

private slots:
    void initTestCase() {
        modules.capture("/proc/self/exe as given");
        QVERIFY(modules.size() > 1);
    }

    void readsStopAtUnmappedMemory() {
        auto* pages = static_cast<char*>(
            mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        munmap(pages + page, page);
        std::memset(pages + page - 5, 0x5A, 5);
        unsigned char target[16] = {};
        const auto start = reinterpret_cast<std::uintptr_t>(pages + page - 5);
        QCOMPARE(SafeMemory::read(target, 0, sizeof target), std::size_t{0});
        QCOMPARE(SafeMemory::read(target, start + 5, sizeof target), std::size_t{0});
        // A read running into the unmapped page keeps its head.
        QCOMPARE(SafeMemory::read(target, start, sizeof target), std::size_t{5});
        QCOMPARE(target[4], 0x5A);
        munmap(pages, page);
    }

    void walkFollowsTheChainUntilItBreaks() {
        static const int constant = 7;
        const std::uintptr_t a = codeAddress(markerA), b = codeAddress(markerB);
        Frame frames[3];
        std::uintptr_t out[8] = {};
        frames[2] = {0, a};
        frames[1] = {addressOf(frames[2]), b};
        frames[0] = {addressOf(frames[1]), a};
        QCOMPARE(FrameWalk::walk(addressOf(frames[0]), b, modules, out, 8), std::size_t{3});
        QCOMPARE(out[0], b);
        QCOMPARE(out[1], a);
        QCOMPARE(out[2], b);
        QCOMPARE(FrameWalk::walk(addressOf(frames[0]), b, modules, out, 2), std::size_t{2});
        frames[0] = {addressOf(frames[0]), a}; // points at itself
        QCOMPARE(FrameWalk::walk(addressOf(frames[0]), a, modules, out, 8), std::size_t{1});
        frames[1] = {addressOf(frames[0]), a}; // points back down the stack
        frames[0] = {addressOf(frames[1]), a};
        QCOMPARE(FrameWalk::walk(addressOf(frames[0]), a, modules, out, 8), std::size_t{2});
        frames[0] = {~std::uintptr_t{0} - 4095, a}; // the caller's frame is unreadable
        QCOMPARE(FrameWalk::walk(addressOf(frames[0]), a, modules, out, 8), std::size_t{1});
        // Only executable segments are code: not data, not the stack, not an unmapped page.
        frames[1] = {0, a};
        for (const std::uintptr_t noCode : {reinterpret_cast<std::uintptr_t>(&constant),
                                            addressOf(frames[2]), std::uintptr_t{0x10}}) {
            frames[0] = {addressOf(frames[1]), noCode};
            QCOMPARE(FrameWalk::walk(addressOf(frames[0]), a, modules, out, 8), std::size_t{1});
        }
        QCOMPARE(FrameWalk::walk(addressOf(frames[0]), 0, modules, out, 8), std::size_t{0});
    }

    void threadStackLastsAsLongAsItsGuard() {
        if (CrashFilter::stepsAside)
            QSKIP("AddressSanitizer gives every thread a signal stack of its own");
        QVector<bool> signalStack;
        std::thread thread([&] {
            signalStack << hasSignalStack();
            {
                const ThreadCrashStack crashStack;
                signalStack << hasSignalStack();
            }
            signalStack << hasSignalStack();
        });
        thread.join();
        QCOMPARE(signalStack, QVector<bool>({false, true, false}));
    }

    void signalsMapToWindowsExceptionCodes_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("signalCode");
        QTest::addColumn<quint64>("faultAddress");
        QTest::addColumn<uint>("code");
        // The faults a crash can make on purpose (a stack overflow among them) are
        // test_crash_reporter's.
        const quint64 sp = 0x7FFC00100000;
        QTest::newRow("far below the stack")
            << SIGSEGV << int(SEGV_MAPERR) << quint64(sp - ExceptionCode::stackOverflowReach)
            << 0xC0000005u;
        QTest::newRow("misaligned") << SIGBUS << int(BUS_ADRALN) << quint64(1) << 0x80000002u;
        QTest::newRow("truncated mapping")
            << SIGBUS << int(BUS_ADRERR) << quint64(0) << 0xC0000006u;
        QTest::newRow("abort") << SIGABRT << 0 << quint64(0) << 0x40000015u;
    }

    void signalsMapToWindowsExceptionCodes() {
        QFETCH(int, signal);
        QFETCH(int, signalCode);
        QFETCH(quint64, faultAddress);
        QFETCH(uint, code);
        QCOMPARE(ExceptionCode::forSignal(signal, signalCode, faultAddress, 0x7FFC00100000), code);
    }
};

QTEST_GUILESS_MAIN(TestCrashProbes)
#include "test_crash_probes.moc"
