// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MetricsServer.h"

#include <memory>

class QCommandLineParser;

// The --metrics [ADDRESS:]PORT option both programs share. The endpoint starts before
// any recording, so an option that does not parse or an address that cannot be bound
// ends the program (status 2) before it records anything.

void addMetricsOption(QCommandLineParser& parser);
// The address the parsed option names; nothing when it is absent, or with the reason in
// `error` when it does not parse.
std::optional<MetricsAddress> metricsAddressOption(const QCommandLineParser& parser,
                                                   QString* error);
// Fresh meter metrics served at `address`; nothing, with the reason in `error`, when the
// address cannot be bound.
std::unique_ptr<MetricsServer> serveMetrics(const MetricsAddress& address, QString* error);
// What to say on standard error once serving: where, and who else can read it.
QString servingNotice(const MetricsServer& server);
// Serves the address `value` names ([ADDRESS:]PORT); nothing when `value` is empty. Prints
// one line and exits with status 2 when it does not parse or cannot be bound.
std::unique_ptr<MetricsServer> serveMetricsOrExit(const QString& value);
