// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaintKit.h"

#include <QImage>

// Indicator images of the style sheet (:/qss/psblack/): check boxes, radio buttons, the small
// arrows of spin boxes, combo boxes and scroll bars, tree branches and calendar navigation.
QImage checkBoxIndicator(Qt::CheckState state, bool enabled);
QImage radioIndicator(bool checked, bool enabled);
QImage smallArrow(Direction towards);
QImage branchIndicator(bool open);
QImage calendarArrow(Direction towards);
