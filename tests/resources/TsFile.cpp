#include "TsFile.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {
TsMessage readMessage(QXmlStreamReader& xml, const QString& context) {
    TsMessage message;
    message.context = context;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.finished = xml.attributes().value("type").isEmpty();
            message.translation = xml.readElementText();
        } else {
            xml.skipCurrentElement();
        }
    }
    return message;
}

void readContext(QXmlStreamReader& xml, QVector<TsMessage>& messages) {
    QString name;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("name")) {
            name = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.append(readMessage(xml, name));
        } else {
            xml.skipCurrentElement();
        }
    }
}
} // namespace

TsFile readTsFile(const QString& path) {
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = file.errorString();
        return ts;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("TS")) {
        ts.error = QStringLiteral("no <TS> root element");
        return ts;
    }
    ts.language = xml.attributes().value("language").toString();
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("context")) {
            readContext(xml, ts.messages);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        ts.error = xml.errorString();
    }
    return ts;
}
