// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalLocation.h"

#include <QStandardPaths>

QString defaultJournalFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
