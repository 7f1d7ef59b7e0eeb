// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveStyles.h"
#include "ScopedWorkDir.h"
#include "Setting.h"

#include <QFile>
#include <QtTest>

#include <memory>

class CurveStylesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { workDir = std::make_unique<ScopedWorkDir>(); }
    void cleanup() { workDir.reset(); }

    // Loaded under a stored dark theme, channels without a stored colour take its bright
    // defaults and darken on a light theme; a stored colour and width stay as stored.
    void defaultColoursFollowTheThemeAndStoredStylesStay() {
        QVERIFY(ScopedWorkDir::writeSettingsFile(
            "[General]\nChartTheme=Dark\nPM_col=ff102030\nPM_lw=3.0\n"));
        CurveStyles styles;
        styles.load();
        const QColor vbusOnDark = styles.at(VBUS).colour;
        styles.setTheme(0);
        QVERIFY(styles.at(VBUS).colour.lightness() < vbusOnDark.lightness());
        QCOMPARE(styles.pen(VBUS).widthF(), 1.5);
        QCOMPARE(styles.at(PM).colour, QColor(0x10, 0x20, 0x30));
        QCOMPARE(styles.pen(PM).widthF(), 3.0);
    }

    // The file's texts: opaque lower-case ARGB colours, pen widths with their decimals.
    void choicesAreStoredAsTheFilesTexts() {
        CurveStyles styles;
        styles.setColour(CPU_TEMP, QColor(230, 0, 0, 40));
        QCOMPARE(Setting().readValue("CPU_Temp_col"), QString("ffe60000"));
        QCOMPARE(styles.at(CPU_TEMP).colour.alpha(), 255);
        Setting().writeValue("CPU_Temp_col", "junk");
        styles.setColour(CPU_TEMP, QColor()); // keeps the current colour and rewrites it
        QCOMPARE(styles.at(CPU_TEMP).colour, QColor(230, 0, 0));
        QCOMPARE(Setting().readValue("CPU_Temp_col"), QString("ffe60000"));
        styles.setWidthCode(IBUS, 4);
        QCOMPARE(Setting().readValue("IBUS_lw"), QString("2.5"));
        styles.setWidthCode(CC1, 1);
        QCOMPARE(Setting().readValue("CC1_lw"), QString("1.0"));
        styles.setWidthCode(CC2, 6); // no box offers it
        QCOMPARE(Setting().readValue("CC2_lw"), QString("0.6"));
        QCOMPARE(styles.pen(CC2).widthF(), static_cast<qreal>(0.6f));
    }

    // Stored text -> box index -> pen width, the same at start-up as after a choice.
    void reloadedPensEqualTheChosenOnes() {
        CurveStyles chosen;
        for (int k = 0; k < recordedChannelCount; ++k) {
            chosen.setColour(k, QColor::fromHsv(k * 40, 200, 200));
            chosen.setWidthCode(k, k % 6);
        }
        CurveStyles reloaded;
        reloaded.load();
        for (int k = 0; k < recordedChannelCount; ++k) {
            QCOMPARE(reloaded.at(k).width, k % 6);
            QCOMPARE(reloaded.pen(k), chosen.pen(k));
        }
        QCOMPARE(reloaded.pen(POWER).widthF(), 1.5); // "1.5" is not truncated to 1
    }

    void storedTextsAreParsedStrictly() {
        QVERIFY(ScopedWorkDir::writeSettingsFile(
            "[General]\nVBUS_col=ff00ff00\nIBUS_col=00ff0000\nPOWER_col=red\n"
            "PD_col=1ffffffff\nVBUS_lw=2.0\nIBUS_lw=2\nPOWER_lw=3.00\nPD_lw=-1\n"
            "PM_lw=\xe5\xae\xbd\n"));
        CurveStyles styles;
        styles.load();
        QCOMPARE(styles.at(VBUS).colour, QColor(0, 255, 0));
        QCOMPARE(styles.at(IBUS).colour, QColor(255, 0, 0)); // alpha ignored: opaque
        QCOMPARE(styles.at(POWER).colour, QColor(Qt::black));
        QCOMPARE(styles.at(PD).colour, QColor(Qt::black)); // beyond 32 bits
        QCOMPARE(styles.at(VBUS).width, 3);
        // A text that matches no box item is the first item, as the table shows it.
        for (int k : {IBUS, POWER, PD, PM}) {
            QCOMPARE(styles.at(k).width, 0);
            QCOMPARE(styles.pen(k).widthF(), 0.5);
        }
    }

    void themeIsStoredByNameAndReadCaseSensitively() {
        CurveStyles::storeTheme(2);
        QCOMPARE(Setting().readValue("ChartTheme"), QString("Dark"));
        QCOMPARE(CurveStyles::storedThemeCode(), 2);
        CurveStyles::storeTheme(6);
        QCOMPARE(Setting().readValue("ChartTheme"), QString("BlueIcy"));
        CurveStyles::storeTheme(7);
        CurveStyles::storeTheme(-1);
        QCOMPARE(Setting().readValue("ChartTheme"), QString("BlueIcy"));
        Setting().writeValue("ChartTheme", "dark");
        QCOMPARE(CurveStyles::storedThemeCode(), 0);
        Setting().writeValue("ChartTheme", "Solarized");
        QCOMPARE(CurveStyles::storedThemeCode(), 0);
    }

private:
    std::unique_ptr<ScopedWorkDir> workDir;
};

QTEST_GUILESS_MAIN(CurveStylesTest)
#include "test_curve_styles.moc"
