#include "Application.h"

#include "CrashFilter.h"
#include "JournalLocation.h"
#include "LanguageSwitch.h"
#include "MainDialog.h"
#include "RecoveryOffer.h"
#include "Startup.h"

#include <QApplication>

int runApplication(int argc, char** argv, const CommandLine& commandLine,
                   const std::function<void()>& beforeWindow) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    installCrashFilter();
    Startup::applyAppearance(app);
    if (beforeWindow)
        beforeWindow();
    std::optional<SampleStore> recovered;
    {
        // Asked before the window exists: its first run would replace the journal.
        LanguageSwitch language;
        language.applyStored();
        recovered = offerUnfinishedRun(defaultJournalPath());
    }
    MainDialog dialog;
    if (recovered)
        dialog.showRecording(std::move(*recovered));
    dialog.show();
    if (!commandLine.recordingFile.isEmpty())
        dialog.openRecording(commandLine.recordingFile);
    return app.exec();
}
