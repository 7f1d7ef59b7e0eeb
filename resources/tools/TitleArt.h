// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>

// Title-bar and navigation pictures: the 130 x 20 logo strip (meter glyph plus level bars)
// in a given colour, the device-list icon, the dashboard menu icon and the language icon.
QImage logoStrip(const QColor& colour);
QImage listIcon();
QImage menuIcon();
QImage languageIcon();
