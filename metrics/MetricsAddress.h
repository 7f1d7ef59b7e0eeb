// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Where the metrics endpoint listens: an IPv4 address and a TCP port. The address
// is the loopback one unless the user names another, so nothing leaves the machine by
// default.
struct MetricsAddress {
    static constexpr const char* defaultHost = "127.0.0.1";

    QString host = QString::fromLatin1(defaultHost);
    quint16 port = 0;

    // The address as the HTTP server takes it: "127.0.0.1:9100".
    std::string listeningPort() const;
    bool isLoopback() const;
};

// "[ADDRESS:]PORT": "9100", "127.0.0.1:9100", "0.0.0.0:9100". Port 0 lets
// the system choose. Nothing, with a one-line reason in `error`, for anything else.
std::optional<MetricsAddress> parseMetricsAddress(const QString& text, QString* error);
