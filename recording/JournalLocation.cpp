#include "JournalLocation.h"

#include <QStandardPaths>

QString defaultJournalPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recording.journal");
}
