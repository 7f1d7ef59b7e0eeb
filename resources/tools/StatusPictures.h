// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Pictures that report a state: current direction, run/pause, USB link, firmware download,
// and the folder of the file dialogs.
QImage currentDirectionArrow(bool up);
QImage runPicture();
QImage pausePicture();
QImage usbPicture(bool connected);
QImage downloadPicture();
QImage folderIcon();
