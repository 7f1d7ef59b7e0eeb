// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Large, calm backgrounds: the main window's panel (stretched as a border image) and the
// dashboard page's picture.
QImage windowPanel();
QImage dashboardBackground();
