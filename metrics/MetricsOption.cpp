#include "MetricsOption.h"

#include "MeterMetrics.h"

#include <QCommandLineParser>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    std::unique_ptr<MetricsServer> server =
        MetricsServer::start(*address, std::make_shared<MeterMetrics>(), &error);
    if (!server)
        exitWithMessage(error);
    std::fprintf(stderr, "metrics at %s\n", qPrintable(server->url()));
    if (!address->isLoopback())
        std::fprintf(stderr, "metrics are readable by every host that reaches %s\n",
                     qPrintable(address->host));
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

std::unique_ptr<MetricsServer> serveMetricsOption(const QCommandLineParser& parser) {
    const QString name = QString::fromLatin1(optionName);
    return parser.isSet(name) ? serveOrExit(parser.value(name)) : nullptr;
}

std::unique_ptr<MetricsServer> serveMetricsArgument(int& argc, char** argv) {
    const std::string option = std::string("--") + optionName;
    const std::string withValue = option + "=";
    for (int i = 1; i < argc; ++i) {
        int taken = 0;
        QString value;
        if (argv[i] == option) {
            if (i + 1 >= argc)
                exitWithMessage(QStringLiteral("--metrics needs [ADDRESS:]PORT"));
            value = QString::fromLocal8Bit(argv[i + 1]);
            taken = 2;
        } else if (std::strncmp(argv[i], withValue.c_str(), withValue.size()) == 0) {
            value = QString::fromLocal8Bit(argv[i] + withValue.size());
            taken = 1;
        } else {
            continue;
        }
        for (int j = i; j + taken <= argc; ++j) // moves argv[argc], the null, too
            argv[j] = argv[j + taken];
        argc -= taken;
        return serveOrExit(value);
    }
    return nullptr;
}
