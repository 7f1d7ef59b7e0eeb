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

    void toggleFlipsAndStoresOneOrZero() {
        CustomRanges ranges;
        QVERIFY(ranges.toggle(PD));
        QCOMPARE(Setting().readValue("PDIsOpen"), QString("1"));
        QVERIFY(!ranges.toggle(PD));
        QCOMPARE(Setting().readValue("PDIsOpen"), QString("0"));
        QVERIFY(ranges.toggle(POWER));
        QCOMPARE(Setting().readValue("PoweIsOpen"), QString("1"));
        QVERIFY(!ranges.isOpen[PD]);
    }

    void switchKeysReadNonZeroDecimalAsOn() {
        QVERIFY(ScopedWorkDir::writeSettingsFile(
            "[General]\nVbusIsOpen=2\nibusisopen=1\nPoweIsOpen=0x1\nPDIsOpen=yes\n"
            "PMIsOpen=-1\nCC1IsOpen=\n"));
        CustomRanges ranges;
        ranges.load();
        QVERIFY(ranges.isOpen[VBUS]);
        QVERIFY(ranges.isOpen[IBUS]);
        QVERIFY(!ranges.isOpen[POWER]); // not decimal
        QVERIFY(!ranges.isOpen[PD]);
        QVERIFY(ranges.isOpen[PM]);
        QVERIFY(!ranges.isOpen[CC1]);
    }

    // Hand-edited bounds: unreadable or non-finite text is 0; numbers beyond what the
    // edits accept are brought into the accepted range, so an axis never gets an infinite
    // or absurd span from the file.
    void badStoredBoundsReadAsSomethingTheEditsAccept() {
        QVERIFY(ScopedWorkDir::writeSettingsFile(
            "[General]\nVbus_Min_Value=abc\nVbus_Max_Value=nan\nIbus_Min_Value=-3\n"
            "Ibus_Max_Value=inf\nPowe_Max_Value=1e30\nCPU_Max_Value=250.5\n"
            "PD_Max_Value=4.5\n"));
        CustomRanges ranges;
        ranges.load();
        QCOMPARE(ranges.rangeMin[VBUS], 0.0f);
        QCOMPARE(ranges.rangeMax[VBUS], 0.0f);
        QCOMPARE(ranges.rangeMin[IBUS], 0.0f);
        QCOMPARE(ranges.rangeMax[IBUS], 0.0f);
        QCOMPARE(ranges.rangeMax[POWER], 1000.0f);
        QCOMPARE(ranges.rangeMax[CPU_TEMP], 200.0f);
        QCOMPARE(ranges.rangeMax[PD], 4.5f);
    }

    void rangeAppliesOnlyWhenOnAndNotEmptyOrInverted() {
        CustomRanges ranges;
        ranges.storeMin(VBUS, 4.5f);
        ranges.storeMax(VBUS, 5.5f);
        QVERIFY(!ranges.applies(VBUS));
        ranges.toggle(VBUS);
        QVERIFY(ranges.applies(VBUS));
        ranges.storeMax(VBUS, 4.5f);
        QVERIFY(!ranges.applies(VBUS));
        ranges.storeMin(VBUS, 6.0f);
        QVERIFY(!ranges.applies(VBUS));
        ranges.toggle(CC1); // stored [0, 0]
        QVERIFY(!ranges.applies(CC1));
    }

private:
    std::unique_ptr<ScopedWorkDir> workDir;
};

QTEST_GUILESS_MAIN(CustomRangesTest)
#include "test_custom_ranges.moc"
