// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>

// The dark theme's colours, shared by every generated picture so that the images match the
// style sheet (which names the same values).
namespace theme {
constexpr QRgb panel = 0x444444;
constexpr QRgb panelLight = 0x484848;
constexpr QRgb panelDark = 0x383838;
constexpr QRgb shade = 0x525252;
constexpr QRgb shadeLight = 0x646464;
constexpr QRgb text = 0xDCDCDC;
constexpr QRgb textDim = 0xA8A8A8;
constexpr QRgb disabledMark = 0x8A8A8A;
constexpr QRgb accent = 0x00BB9E;
constexpr QRgb accentDark = 0x00977F;
constexpr QRgb accentLight = 0x2ED8BC;
constexpr QRgb warm = 0xFFA23A;
constexpr QRgb warmDark = 0xE8740C;
constexpr QRgb danger = 0xE5484D;
constexpr QRgb go = 0x3CCB6E;
constexpr QRgb goDark = 0x1E9E4B;
constexpr QRgb info = 0x3DA5F4;
constexpr QRgb white = 0xFFFFFF;
constexpr QRgb metal = 0xCFCFCF;
constexpr QRgb metalDark = 0x8E8E8E;
} // namespace theme
