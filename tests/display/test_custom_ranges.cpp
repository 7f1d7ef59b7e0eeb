// SPDX-License-Identifier: GPL-3.0-or-later
#include "CustomRanges.h"
#include "ScopedWorkDir.h"
#include "Setting.h"

#include <QtTest>

#include <memory>

class CustomRangesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { workDir = std::make_unique<ScopedWorkDir>(); }
    void cleanup() { workDir.reset(); }

    void boundsAreStoredWithTheChannelsDecimals() {
        CustomRanges ranges;
        ranges.storeMin(VBUS, 5.0f);
        ranges.storeMax(POWER, 999.999f);
        ranges.storeMax(CPU_TEMP, 85.24f);
        ranges.storeMin(CC2, 0.124f);
        QCOMPARE(Setting().readValue("Vbus_Min_Value"), QString("5.00"));
        QCOMPARE(Setting().readValue("Powe_Max_Value"), QString("1000.00"));
        QCOMPARE(Setting().readValue("CPU_Max_Value"), QString("85.2"));
        QCOMPARE(Setting().readValue("CC2_Min_Value"), QString("0.12"));
    }

    // Hand-edited files: a switch is on for a non-zero decimal; unreadable or non-finite
    // bounds are 0 and numbers beyond what the edits accept are brought into their range,
    // so an axis never gets an infinite or absurd span from the file.
    void storedTextsReadAsSomethingTheEditsAccept() {
        QVERIFY(ScopedWorkDir::writeSettingsFile(
            "[General]\nVbusIsOpen=2\nibusisopen=1\nPoweIsOpen=1\nCC2IsOpen=0x1\nPDIsOpen=yes\n"
            "PMIsOpen=-1\nCC1IsOpen=\nVbus_Min_Value=abc\nVbus_Max_Value=nan\n"
            "Ibus_Min_Value=-3\nIbus_Max_Value=inf\nPowe_Max_Value=1e30\nCPU_Max_Value=250.5\n"
            "PD_Max_Value=4.5\n"));
        CustomRanges ranges;
        ranges.load();
        QVERIFY(ranges.isOpen[VBUS]);
        QVERIFY(ranges.isOpen[IBUS]);
        QVERIFY(ranges.isOpen[POWER]); // its key is "Powe", as files carry it
        QVERIFY(!ranges.isOpen[PD]);
        QVERIFY(ranges.isOpen[PM]);
        QVERIFY(!ranges.isOpen[CC1]);
        QVERIFY(!ranges.isOpen[CC2]); // not decimal
        QCOMPARE(ranges.rangeMin[VBUS], 0.0f);
        QCOMPARE(ranges.rangeMax[VBUS], 0.0f);
        QCOMPARE(ranges.rangeMin[IBUS], 0.0f);
        QCOMPARE(ranges.rangeMax[IBUS], 0.0f);
        QCOMPARE(ranges.rangeMax[POWER], 1000.0f);
        QCOMPARE(ranges.rangeMax[CPU_TEMP], 200.0f);
        QCOMPARE(ranges.rangeMax[PD], 4.5f);
    }

    void theSwitchIsStoredAndTheRangeAppliesOnlyWhenOnAndSound() {
        CustomRanges ranges;
        ranges.storeMin(VBUS, 4.5f);
        ranges.storeMax(VBUS, 5.5f);
        QVERIFY(!ranges.applies(VBUS));
        QVERIFY(ranges.toggle(VBUS));
        QCOMPARE(Setting().readValue("VbusIsOpen"), QString("1"));
        QVERIFY(ranges.applies(VBUS));
        ranges.storeMax(VBUS, 4.5f);
        QVERIFY(!ranges.applies(VBUS));
        ranges.storeMin(VBUS, 6.0f);
        QVERIFY(!ranges.applies(VBUS));
        QVERIFY(!ranges.toggle(VBUS));
        QCOMPARE(Setting().readValue("VbusIsOpen"), QString("0"));
        ranges.toggle(CC1); // stored [0, 0]
        QVERIFY(!ranges.applies(CC1));
    }

private:
    std::unique_ptr<ScopedWorkDir> workDir;
};

QTEST_GUILESS_MAIN(CustomRangesTest)
#include "test_custom_ranges.moc"
