// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "CrashFilter.h"
#include "JournalLocation.h"
#include "LanguageSwitch.h"
#include "MainDialog.h"
#include "RecoveryOffer.h"
#include "Startup.h"
#include "WindowMetrics.h"

#include <QApplication>

int runApplication(int argc, char** argv, const CommandLine& commandLine,
                   const std::function<void()>& beforeWindow, MeterMetrics* metrics) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    installCrashFilter();
    Startup::applyAppearance(app);
    if (beforeWindow)
        beforeWindow();
    RecoveryOutcome recovery;
    {
        // Asked before the window exists, which may start a run at once; the opened
        // recording's journal stays held by this process from here on.
        LanguageSwitch language;
        language.applyStored();
        recovery = offerUnsavedRuns(defaultJournalFolder());
    }
    MainDialog dialog;
    dialog.showRecovered(std::move(recovery));
    dialog.show();
    std::optional<WindowMetrics> windowMetrics;
    if (metrics)
        windowMetrics.emplace(*metrics, dialog);
    if (!commandLine.recordingFile.isEmpty())
        dialog.openRecording(commandLine.recordingFile);
    return app.exec();
}
