// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoggerMain.h"

#include "HidLibrary.h"
#include "LogOptions.h"
#include "LoggerSession.h"
#include "MeterDiscovery.h"
#include "MeterIdentity.h"
#include "MetricsFeed.h"
#include "MetricsOption.h"
#include "OutputPlan.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int exitUsage = 2;

// hidapi stays set up while the run looks for meters, whatever the links do.
struct HidLibraryUse {
    HidLibraryUse() { HidLibrary::init(); }
    ~HidLibraryUse() { HidLibrary::exit(); }
};

int listMetersFound() {
    const std::vector<MeterListing> meters =
        listMeters(MeterIdentity::vendorId, MeterIdentity::productId);
    for (const MeterListing& m : meters)
        std::printf("%s\t%s\t%s\n", m.path.c_str(), qPrintable(m.serial), qPrintable(m.product));
    if (meters.empty())
        std::fprintf(stderr, "usb-meter-log: no meter found\n");
    return 0;
}

} // namespace

int runLogger(int argc, char** argv, const LoggerHooks& hooks) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("usb-meter-log"));
    QCoreApplication::setApplicationVersion(QStringLiteral(USB_METER_VERSION));
    const ParsedOptions parsed = parseLogOptions(app.arguments(), isatty(STDOUT_FILENO) == 1);
    if (parsed.outcome == ParsedOptions::Outcome::ExitNow) {
        if (parsed.exitCode == 0)
            std::printf("%s", qPrintable(parsed.message));
        else
            std::fprintf(stderr, "usb-meter-log: %s (see --help)\n", qPrintable(parsed.message));
        return parsed.exitCode;
    }
    const LogOptions& options = parsed.options;
    // A reader of standard output that goes away must not end the recording.
    std::signal(SIGPIPE, SIG_IGN);
    if (hooks.started)
        hooks.started();
    const HidLibraryUse hid;
    if (options.list)
        return listMetersFound();
    QString error;
    const std::optional<OutputPlan> plan = OutputPlan::make(options.output, options.all, error);
    if (!plan) {
        std::fprintf(stderr, "usb-meter-log: %s\n", qPrintable(error));
        return exitUsage;
    }
    std::unique_ptr<MetricsServer> metrics;
    if (options.metrics) {
        metrics = serveMetrics(*options.metrics, &error);
        if (!metrics) {
            std::fprintf(stderr, "usb-meter-log: %s\n", qPrintable(error));
            return exitUsage;
        }
        if (!options.quiet)
            std::fprintf(stderr, "%s", qPrintable(servingNotice(*metrics)));
    }
    LoggerSession session(options, *plan, hooks.pollIntervalMs);
    std::optional<MetricsFeed> feed;
    if (metrics)
        feed.emplace(session.meterEvents(), metrics->meters());
    return session.run();
}
