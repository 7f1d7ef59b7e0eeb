// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// Command codes sent to the meter inside 55 05 LEN CODE ... EE FF frames.
namespace Command {
inline constexpr quint8 upgradeMode = 0x02;
inline constexpr quint8 settingsPageOpened = 0x03;
inline constexpr quint8 languageChinese = 0x20;
inline constexpr quint8 languageEnglish = 0x21;
inline constexpr quint8 workBrightness = 0x22;
inline constexpr quint8 standbyBrightness = 0x23;
inline constexpr quint8 standbyTime = 0x24;
inline constexpr quint8 standbyStyle1 = 0x25;
inline constexpr quint8 standbyStyle2 = 0x26;
inline constexpr quint8 zeroNoLoadCurrent = 0x27;
inline constexpr quint8 factoryReset = 0x28;
inline constexpr quint8 clearAccumulated = 0x29;
inline constexpr quint8 voltageCalibration = 0x2A;
inline constexpr quint8 currentCalibration = 0x2B;
inline constexpr quint8 temperatureCalibration = 0x2C;
inline constexpr quint8 minCurrentZero = 0x2D;
inline constexpr quint8 minCurrent10mA = 0x2E;
inline constexpr quint8 minCurrent20mA = 0x2F;
inline constexpr quint8 standbyStyleOriginal = 0x30;
inline constexpr quint8 switchOn = 0x31;
inline constexpr quint8 switchOff = 0x32;
inline constexpr quint8 homePage = 0x45;
inline constexpr quint8 settingsPage = 0x46;
inline constexpr quint8 dashboardPage = 0x47;
inline constexpr quint8 pageFour = 0x48;
inline constexpr quint8 pageFive = 0x49;
inline constexpr quint8 pageSix = 0x50;
} // namespace Command

namespace Frame {
inline constexpr quint8 reportId = 0x55;
inline constexpr quint8 header = 0x05;
inline constexpr quint8 shortLength = 9;
inline constexpr quint8 longLength = 10;
inline constexpr quint8 endFirst = 0xEE;
inline constexpr quint8 endSecond = 0xFF;
} // namespace Frame

// 55 05 09 code 00 00 00 EE FF
QByteArray commandFrame(quint8 code);
// 55 05 0A code p31..24 p23..16 p15..8 p7..0 EE FF
QByteArray commandFrame(quint8 code, quint32 parameter);
// Calibration slider position / 1000 in single precision.
float calibrationFactor(int sliderValue);
// 10-byte frame carrying the IEEE 754 bits of calibrationFactor(sliderValue), big-endian.
QByteArray calibrationFrame(quint8 code, int sliderValue);
// The fixed request for a measurement report: 55 05 22 05 0B 00 8C EE FF.
QByteArray pollFrame();
