// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetricsOption.h"

#include "MeterMetrics.h"

#include <QCommandLineParser>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int usageExitCode = 2;
constexpr const char* optionName = "metrics";

[[noreturn]] void exitWithMessage(const QString& message) {
    // Also called before the application object exists, so the name comes from the C library.
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, qPrintable(message));
    std::exit(usageExitCode);
}

std::unique_ptr<MetricsServer> serveOrExit(const QString& value) {
    QString error;
    const std::optional<MetricsAddress> address = parseMetricsAddress(value, &error);
    if (!address)
        exitWithMessage(QStringLiteral("--metrics %1: %2").arg(value, error));
    std::unique_ptr<MetricsServer> server = serveMetrics(*address, &error);
    if (!server)
        exitWithMessage(error);
    std::fprintf(stderr, "%s", qPrintable(servingNotice(*server)));
    return server;
}

} // namespace

void addMetricsOption(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(optionName),
        QStringLiteral("Serve Prometheus metrics at http://ADDRESS:PORT/metrics (address "
                       "127.0.0.1 unless given)."),
        QStringLiteral("[ADDRESS:]PORT")));
}

std::optional<MetricsAddress> metricsAddressOption(const QCommandLineParser& parser,
                                                   QString* error) {
    const QString name = QString::fromLatin1(optionName);
    if (!parser.isSet(name))
        return std::nullopt;
    const std::optional<MetricsAddress> address = parseMetricsAddress(parser.value(name), error);
    if (!address)
        *error = QStringLiteral("--metrics %1: %2").arg(parser.value(name), *error);
    return address;
}

std::unique_ptr<MetricsServer> serveMetrics(const MetricsAddress& address, QString* error) {
    return MetricsServer::start(address, std::make_shared<MeterMetrics>(), error);
}

QString servingNotice(const MetricsServer& server) {
    QString notice = QStringLiteral("metrics at %1\n").arg(server.url());
    if (!server.isLoopback())
        notice += QStringLiteral("metrics are readable by every host that reaches this address\n");
    return notice;
}

std::unique_ptr<MetricsServer> serveMetricsOrExit(const QString& value) {
    return value.isEmpty() ? nullptr : serveOrExit(value);
}
