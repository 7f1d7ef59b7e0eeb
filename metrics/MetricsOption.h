#pragma once

#include "MetricsServer.h"

#include <memory>

class QCommandLineParser;

// The --metrics [ADDRESS:]PORT option both programs share. Starting the endpoint it
// names happens before any recording: an option that does not parse or an address that
// cannot be bound prints one line on standard error and exits with status 2.

void addMetricsOption(QCommandLineParser& parser);
// The endpoint the parsed option names, serving fresh meter metrics; nothing when the
// option was not given.
std::unique_ptr<MetricsServer> serveMetricsOption(const QCommandLineParser& parser);
// The same for a program that parses no options itself: takes "--metrics X" or
// "--metrics=X" out of argv, so what follows sees only its own arguments.
std::unique_ptr<MetricsServer> serveMetricsArgument(int& argc, char** argv);
