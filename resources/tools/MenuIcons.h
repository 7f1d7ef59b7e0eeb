// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// 32 px line icons of the chart menu and the settings shortcuts (:/sys/rs/rs/), light strokes
// with accent highlights for the dark menu background.
QImage exportDataIcon();
QImage openDataIcon();
QImage exportImageIcon();
QImage curveSettingsIcon();
QImage systemSettingsIcon();
QImage accumulateIcon();
QImage scrollIcon();
QImage upgradeIcon();
