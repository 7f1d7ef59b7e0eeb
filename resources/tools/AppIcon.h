// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// The program's desktop icon at `pixels` × `pixels`: the meter's dark body, its screen
// with a charging curve and a bolt, and the USB-C socket below the screen.
QImage appIcon(int pixels);

// The size named by an icon file name, usb-meter_<pixels>.png, or 0 for any other name.
int appIconPixels(const QString& fileName);
