// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the journals live: the program's data folder under $XDG_DATA_HOME (by default
// ~/.local/share/<program name>/).
QString defaultJournalFolder();
