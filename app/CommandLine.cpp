// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "LanguageSwitch.h"
#include "MetricsOption.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int usageError = 2;

QString trCommandLine(const char* sourceText) {
    return QCoreApplication::translate("CommandLine", sourceText);
}

// Options QApplication takes and removes itself; accepted here so that they still work.
void acceptQtOptions(QCommandLineParser& parser) {
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void print(std::FILE* stream, const QString& message) {
    std::fputs(message.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

void describeCommandLine(QCommandLineParser& parser) {
    // Qt's own options are single-dash words (-platform), so no option clusters letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(trCommandLine("实时显示、记录和设置 USB 功率计。"));
    parser.addPositionalArgument(QStringLiteral("FILE.csv"),
                                 trCommandLine("启动时打开的记录文件（CSV）"),
                                 QStringLiteral("[FILE.csv]"));
    parser.addOption(
        {{QStringLiteral("h"), QStringLiteral("help")}, trCommandLine("显示此帮助并退出")});
    parser.addOption(
        {{QStringLiteral("v"), QStringLiteral("version")}, trCommandLine("显示版本号并退出")});
    addMetricsOption(parser);
    acceptQtOptions(parser);
}

CommandLine parseCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeCommandLine(parser);
    const bool parsed = parser.parse(arguments);
    const bool oneFileAtMost = parser.positionalArguments().size() <= 1;
    const bool help = parser.isSet(QStringLiteral("help"));
    const bool version = parser.isSet(QStringLiteral("version"));
    CommandLine result;
    if (parsed && oneFileAtMost && !help && !version) {
        result.recordingFile = parser.positionalArguments().value(0);
        result.metricsAddress = parser.value(QStringLiteral("metrics"));
        return result;
    }

    // Only an application object knows the program's name for the usage line, and only
    // with one can the help follow the interface language; no window is opened.
    int count = argc;
    QCoreApplication terminal(count, argv);
    LanguageSwitch language;
    language.applyStored();
    QCommandLineParser described;
    describeCommandLine(described);
    const QString helpText = described.helpText();
    if (!parsed || !oneFileAtMost) {
        const QString error = parsed ? trCommandLine("只能打开一个记录文件") : parser.errorText();
        print(stderr, error + '\n' + helpText.section('\n', 0, 0) + '\n');
        result.exitCode = usageError;
    } else if (help) {
        print(stdout, helpText);
        result.exitCode = 0;
    } else {
        print(stdout,
              QCoreApplication::applicationName() + ' ' + QStringLiteral(USB_METER_VERSION) + '\n');
        result.exitCode = 0;
    }
    return result;
}
