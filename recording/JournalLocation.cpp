#include "JournalLocation.h"

#include <QStandardPaths>

QString defaultJournalFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
