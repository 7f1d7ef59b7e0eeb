// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

// Icon-font code points and the point sizes they are shown at.
namespace Glyph {
inline constexpr char16_t homeReturn = 0xF073;
inline constexpr char16_t pageReturn = 0xF122;
inline constexpr char16_t titleIcon = 0xF2D5;
inline constexpr char16_t minimise = 0xF068;
inline constexpr char16_t maximise = 0xF2D0;
inline constexpr char16_t close = 0xF00D;
inline constexpr char16_t menu = 0xF150;
// An hourglass: a run waiting for its meter.
inline constexpr char16_t awaitingMeter = 0xF252;
// The home page's tool buttons, in their order on the page.
inline constexpr char16_t toolButtons[] = {0xF01B, 0xF085, 0xF108, 0xF03E, 0xF0E8, 0xF241};

inline constexpr int returnSize = 16;
inline constexpr int titleIconSize = 30;
inline constexpr int titleButtonSize = 9;
inline constexpr int toolButtonSize = 50;
inline constexpr int runButtonSize = 26;
// Home-page tool buttons draw their glyph on a pixmap of this size.
inline constexpr int toolIconWidth = 100;
inline constexpr int toolIconHeight = 70;
} // namespace Glyph
