#include "MetricsAddress.h"

#include <arpa/inet.h>

namespace {

bool isIpv6Literal(const QString& host) {
    in6_addr address{};
    return inet_pton(AF_INET6, host.toLatin1().constData(), &address) == 1;
}

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
    const QString shown = host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
    return QStringLiteral("%1:%2").arg(shown).arg(port).toStdString();
}

bool MetricsAddress::isLoopback() const {
    return host.startsWith(QLatin1String("127.")) || host == QLatin1String("::1");
}

std::optional<MetricsAddress> parseMetricsAddress(const QString& text, QString* error) {
    MetricsAddress address;
    QString portText = text;
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        QString host = text.left(colon);
        portText = text.mid(colon + 1);
        const bool bracketed = host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'));
        if (bracketed)
            host = host.mid(1, host.size() - 2);
        if (!(bracketed ? isIpv6Literal(host) : isIpv4Literal(host))) {
            *error = QStringLiteral("not an IP address: %1 (use 127.0.0.1, 0.0.0.0 or [::1])")
                         .arg(text.left(colon));
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
