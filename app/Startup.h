// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

class QApplication;

// The look of the whole program, applied once before the main window is built.
namespace Startup {

inline constexpr char styleSheetPath[] = ":/qss/psblack.css";
inline constexpr char defaultFontFamily[] = "Microsoft Yahei";
// Stands in for the default family where that font does not exist (Linux).
inline constexpr char fallbackFontFamily[] = "WenQuanYi Micro Hei";
inline constexpr int paletteColourIndex = 20;
inline constexpr int paletteColourLength = 7;

// 9 pt at 96 dpi, scaled down for denser screens and truncated (120 dpi -> 7 pt).
int defaultFontPointSize(qreal logicalDpi);
// The colour written in the style sheet's first rule, read from its fixed position.
QColor paletteColour(const QString& styleSheet);
// Codec, style sheet with palette, default font.
void applyAppearance(QApplication& app);

} // namespace Startup
