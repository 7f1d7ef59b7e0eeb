#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// One scrape of the endpoint as Python's prometheus_client text parser reads it.
struct Scrape {
    bool ok = false;
    QString error;
    // Sample name -> meter serial -> [value, model].
    QJsonObject samples;

    std::optional<double> value(const char* sample, const QString& meter) const;
    QString model(const char* sample, const QString& meter) const;
    // Names of the samples that carry this meter's label.
    QStringList samplesOf(const QString& meter) const;
};

Scrape scrape(const QString& url);

// Raw TCP on the loopback address, for clients that do not speak HTTP properly.
namespace loopback {
// A connected socket, or -1.
int connectTo(quint16 port);
// Sends `request`, then reads until the server closes or `timeoutMs` pass.
QByteArray exchange(quint16 port, const QByteArray& request, int timeoutMs = 10000);
} // namespace loopback
