// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogOptions.h"

#include "Duration.h"
#include "MetricsOption.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <optional>

namespace {

constexpr int usageError = 2;
constexpr qint64 daySecs = 24 * 60 * 60;

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption output{
        {"o", "output"}, "File (one meter) or folder (one file per meter) to record into.", "PATH"};
    QCommandLineOption all{"all", "Record every meter plugged in, each into its own file; meters "
                                  "plugged in later are picked up."};
    QCommandLineOption meter{"meter",
                             "Record only the meter with this USB serial string or device path.",
                             "SERIAL|PATH"};
    QCommandLineOption list{"list", "Print the meters found (path, serial, product) and exit."};
    QCommandLineOption duration{"duration",
                                "Stop after this long: a number with s, m, h or d (8h).", "TIME"};
    QCommandLineOption wait{
        "wait", "Give up (exit 3) when no meter is found within this many seconds.", "SECONDS"};
    QCommandLineOption split{"split", "Start a new file at local midnight every so many days (1d).",
                             "DAYS"};
    QCommandLineOption sync{"sync", "Put the files on the disk this often (default 10s).", "TIME"};
    QCommandLineOption format{"format",
                              "Standard output: human, csv, jsonl or influx (default: human on a "
                              "terminal, else nothing).",
                              "FORMAT"};
    QCommandLineOption quiet{{"q", "quiet"}, "Say nothing on standard error but errors."};

    Parser() {
        parser.setApplicationDescription(
            "Records USB power meters without a window, one sample a second, into CSV files "
            "the window opens.");
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({output, all, meter, list, duration, wait, split, sync, format, quiet});
        addMetricsOption(parser);
    }
};

ParsedOptions usage(const QString& message) {
    ParsedOptions parsed;
    parsed.outcome = ParsedOptions::Outcome::ExitNow;
    parsed.exitCode = usageError;
    parsed.message = message;
    return parsed;
}

std::optional<LogOptions::Format> formatNamed(const QString& name) {
    if (name == QLatin1String("human"))
        return LogOptions::Format::Human;
    if (name == QLatin1String("csv"))
        return LogOptions::Format::Csv;
    if (name == QLatin1String("jsonl"))
        return LogOptions::Format::Jsonl;
    if (name == QLatin1String("influx"))
        return LogOptions::Format::Influx;
    return std::nullopt;
}

// The time options; an error names the first one that does not parse.
QString readTimes(const Parser& p, LogOptions& options) {
    const auto timeOf = [&p](const QCommandLineOption& option, qint64& into) {
        if (!p.parser.isSet(option))
            return true;
        const std::optional<qint64> secs = parseDurationSecs(p.parser.value(option));
        if (secs)
            into = *secs;
        return secs.has_value();
    };
    if (!timeOf(p.duration, options.durationSecs))
        return QStringLiteral("--duration: not a duration: %1").arg(p.parser.value(p.duration));
    if (!timeOf(p.sync, options.syncSecs))
        return QStringLiteral("--sync: not a duration: %1").arg(p.parser.value(p.sync));
    bool isNumber = false;
    if (p.parser.isSet(p.wait)) {
        options.waitSecs = p.parser.value(p.wait).toLongLong(&isNumber);
        if (!isNumber || options.waitSecs < 0)
            return QStringLiteral("--wait: not a number of seconds: %1")
                .arg(p.parser.value(p.wait));
    }
    qint64 splitSecs = 0;
    if (!timeOf(p.split, splitSecs) || splitSecs % daySecs != 0)
        return QStringLiteral("--split: not a whole number of days: %1")
            .arg(p.parser.value(p.split));
    options.splitDays = static_cast<int>(splitSecs / daySecs);
    return {};
}

} // namespace

ParsedOptions parseLogOptions(const QStringList& arguments, bool stdoutIsTerminal) {
    Parser p;
    if (!p.parser.parse(arguments))
        return usage(p.parser.errorText());
    if (!p.parser.positionalArguments().isEmpty())
        return usage(
            QStringLiteral("unexpected argument: %1").arg(p.parser.positionalArguments().first()));
    ParsedOptions parsed;
    const bool help =
        p.parser.isSet(QStringLiteral("help")) || p.parser.isSet(QStringLiteral("help-all"));
    if (help || p.parser.isSet(QStringLiteral("version"))) {
        parsed.outcome = ParsedOptions::Outcome::ExitNow;
        parsed.message =
            help ? p.parser.helpText()
                 : QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                 QCoreApplication::applicationVersion());
        return parsed;
    }
    LogOptions& options = parsed.options;
    options.output = p.parser.value(p.output);
    options.all = p.parser.isSet(p.all);
    options.meter = p.parser.value(p.meter);
    options.list = p.parser.isSet(p.list);
    options.quiet = p.parser.isSet(p.quiet);
    if (options.all && !options.meter.isEmpty())
        return usage(QStringLiteral("--all and --meter exclude each other"));
    const QString timeError = readTimes(p, options);
    if (!timeError.isEmpty())
        return usage(timeError);
    QString metricsError;
    options.metrics = metricsAddressOption(p.parser, &metricsError);
    if (!metricsError.isEmpty())
        return usage(metricsError);
    if (p.parser.isSet(p.format)) {
        const std::optional<LogOptions::Format> format = formatNamed(p.parser.value(p.format));
        if (!format)
            return usage(QStringLiteral("--format: one of human, csv, jsonl, influx, not %1")
                             .arg(p.parser.value(p.format)));
        options.format = *format;
    } else if (stdoutIsTerminal) {
        options.format = LogOptions::Format::Human;
    }
    return parsed;
}
