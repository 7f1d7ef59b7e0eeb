// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashReport.h"

#include <QtTest>

#include <array>

// The report text as both platforms write it, built from fixed inputs.
class TestCrashText : public QObject {
    Q_OBJECT

private:
    std::array<char, 2048> buffer{};

    QByteArray textOf(const CrashText& out) const {
        return QByteArray(out.data(), int(out.size()));
    }

private slots:
    void textPastTheBufferIsDropped() {
        std::array<char, 12> small{};
        small.fill('#');
        CrashText out(small.data(), 8);
        out.text("Exception Code:  ");
        out.hex(0xC0000005, 8);
        QCOMPARE(textOf(out), QByteArray("Exceptio"));
        QCOMPARE(QByteArray(small.data() + 8, 4), QByteArray("####"));
    }

    void instructionShowsReadableBytesAndMarksTheRest() {
        const unsigned char bytes[CrashReport::instructionBytes] = {0x0F, 0x0B, 0x90, 0xC3};
        CrashText out(buffer.data(), buffer.size());
        CrashReport::instruction(out, bytes, 16);
        out.text("|");
        CrashReport::instruction(out, bytes, 3);
        out.text("|");
        CrashReport::instruction(out, bytes, 0);
        QCOMPARE(textOf(out),
                 QByteArray("Instruction:  0F 0B 90 C3 00 00 00 00 00 00 00 00 00 00 00 00|"
                            "Instruction:  0F 0B 90 ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??|"
                            "Instruction:  ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"));
    }

    void registersOfX64() {
        X64Registers regs{};
        regs.rax = 1;
        regs.rdx = 0xFFFFFFFFFFFFFFFF;
        regs.rsp = 0x7FFC12345678;
        regs.r8 = 8;
        regs.r15 = 15;
        regs.rip = 0x55D0C0DE1234;
        regs.eflags = 0x10246;
        CrashText out(buffer.data(), buffer.size());
        CrashReport::registers(out, regs);
        QCOMPARE(textOf(out), QByteArray("\nRegisters: "
                                         "\nRAX: 0000000000000001  RBX: 0000000000000000  "
                                         "RCX: 0000000000000000  RDX: FFFFFFFFFFFFFFFF"
                                         "\nRSI: 0000000000000000  RDI: 0000000000000000  "
                                         "RSP: 00007FFC12345678  RBP: 0000000000000000"
                                         "\nR8:  0000000000000008  R9:  0000000000000000  "
                                         "R10: 0000000000000000  R11: 0000000000000000"
                                         "\nR12: 0000000000000000  R13: 0000000000000000  "
                                         "R14: 0000000000000000  R15: 000000000000000F"
                                         "\nRIP: 000055D0C0DE1234  EFlags: 0000000000010246"));
    }

    // The Linux report's lines are checked where the reporter writes them
    // (test_crash_reporter); here the Windows ones, of a 32-bit process's null write.
    void windowsReportOf32BitProcess() {
        const X86Registers regs{1, 2, 3, 4, 5, 6, 0x0019FF30, 0x0019FF44, 0x00401A2B, 0x246};
        CrashText out(buffer.data(), buffer.size(), 8);
        CrashReport::windowsLine(out, {6, 1, 7601, 1, 0, 1});
        CrashReport::exceptionLines(out, 0x00401A2B, "C:\\meter\\meter.exe", 0xC0000005);
        CrashReport::accessLine(out, true, 0);
        CrashReport::registers(out, regs);
        QCOMPARE(textOf(out),
                 QByteArray("Windows:  6.1.7601, SP 1.0, Product Type 1\n"
                            "Exception Addr:  00401A2B   Module: C:\\meter\\meter.exe\n"
                            "Exception Code:  C0000005\n"
                            "Write Address:  00000000\n"
                            "\nRegisters: "
                            "\nEAX: 00000001  EBX: 00000002  ECX: 00000003  EDX: 00000004"
                            "\nESI: 00000005  EDI: 00000006  ESP: 0019FF30  EBP: 0019FF44"
                            "\nEIP: 00401A2B  EFlags: 00000246"));
    }
};

QTEST_GUILESS_MAIN(TestCrashText)
#include "test_crash_text.moc"
