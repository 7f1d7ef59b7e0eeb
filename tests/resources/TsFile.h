#pragma once

#include <QString>
#include <QVector>

// Reader of Qt Linguist translation sources (.ts), for checking what the catalogues hold.
struct TsMessage {
    QString context;
    QString source;
    QString translation;
    bool finished = false; // translation has no "unfinished"/"obsolete"/"vanished" type
};

struct TsFile {
    QString language;
    QVector<TsMessage> messages;
    QString error; // empty when the file was read completely
};

TsFile readTsFile(const QString& path);
