// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetricsAddress.h"

#include <arpa/inet.h>

namespace {

bool isIpv4Literal(const QString& host) {
    in_addr address{};
    return inet_pton(AF_INET, host.toLatin1().constData(), &address) == 1;
}

std::optional<quint16> parsePort(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok, 10);
    if (!ok || port > 65535 || text.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return static_cast<quint16>(port);
}

} // namespace

std::string MetricsAddress::listeningPort() const {
    return QStringLiteral("%1:%2").arg(host).arg(port).toStdString();
}

bool MetricsAddress::isLoopback() const {
    return host.startsWith(QLatin1String("127."));
}

std::optional<MetricsAddress> parseMetricsAddress(const QString& text, QString* error) {
    MetricsAddress address;
    QString portText = text;
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString host = text.left(colon);
        portText = text.mid(colon + 1);
        // Debian's HTTP server library is built without IPv6.
        if (!isIpv4Literal(host)) {
            *error = QStringLiteral("not an IPv4 address: %1 (use 127.0.0.1, 0.0.0.0 or an "
                                    "address of this machine)")
                         .arg(host);
            return std::nullopt;
        }
        address.host = host;
    }
    const std::optional<quint16> port = parsePort(portText);
    if (!port) {
        *error = QStringLiteral("not a port number (0 to 65535): %1").arg(portText);
        return std::nullopt;
    }
    address.port = *port;
    return address;
}
