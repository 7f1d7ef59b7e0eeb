// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QColor>
#include <QPen>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One channel's curve: its colour and its width code, the index of its width box.
struct CurveStyle {
    QColor colour;
    int width = 0;
    // No colour stored yet: the channel's default colour for the theme.
    bool defaultColour = true;
};

// The curve colours and widths of the recorded channels and the chart theme, backed by
// usb-hid.ini. The width has one reading everywhere: the stored text ("0.5" ... "3.0")
// is the item of the width box it names, and that item's index is the code that maps to
// the pen width.
class CurveStyles {
public:
    // Width of a channel whose width was never chosen: 1.5.
    static constexpr int defaultWidthCode = 2;

    // The defaults of the Light theme, before anything is read.
    CurveStyles();
    // Reads the colour and width keys and the theme. A missing key gives the channel's
    // default (distinct colours, 1.5 wide); text that does not parse gives black and
    // code 0. Nothing is written until the user chooses.
    void load();
    const CurveStyle& at(int channel) const;
    // Solid brush of the colour, the code's pen width, solid line, square cap, bevel join.
    QPen pen(int channel) const;
    // Each keeps the choice and writes its key at once. An invalid colour (a cancelled
    // colour dialog) keeps the current colour, which is written again.
    void setColour(int channel, const QColor& colour);
    void setWidthCode(int channel, int code);

    // Stores the theme of a code 0..6 and gives the channels without a stored colour
    // the defaults of that theme; any other code changes nothing.
    void setTheme(int code);
    // The colour a channel has while none is stored: distinct per channel, and dark
    // enough for the light themes' backgrounds or bright enough for the dark ones.
    static QColor defaultColour(int channel, int themeCode);

    // Theme names in code order; code k is QChart::ChartTheme k.
    static QStringList themeNames();
    // The stored theme's code, 0 (Light) for a missing or unknown name.
    static int storedThemeCode();
    // Writes the name of a code 0..6; any other code writes nothing.
    static void storeTheme(int code);

    // Items of the width boxes in code order.
    static QStringList widthTexts();
    // 0.5 ... 3.0 for codes 0..5; any other code gives 0.6.
    static qreal penWidth(int code);
    // The code whose item text equals the text exactly; 0 when none does.
    static int widthCodeOf(const QString& text);
    // The colour and the width text as the settings file holds them now: no colour when
    // none is stored, black when it does not parse.
    static std::optional<QColor> storedColour(int channel);
    static QString storedWidthText(int channel);
    // The code of the stored width text; the default code when none is stored.
    static int storedWidthCode(int channel);

private:
    void applyDefaultColours();

    std::array<CurveStyle, recordedChannelCount> styles{};
    int themeCode = 0;
};
