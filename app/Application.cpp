#include "Application.h"

#include "CrashFilter.h"
#include "JournalLocation.h"
#include "LanguageSwitch.h"
#include "MainDialog.h"
#include "RecoveryOffer.h"
#include "Startup.h"
#include "WindowMetrics.h"

#include <QApplication>

int runApplication(int argc, char** argv, const std::function<void()>& beforeWindow,
                   MeterMetrics* metrics) {
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
    std::optional<WindowMetrics> windowMetrics;
    if (metrics)
        windowMetrics.emplace(*metrics, dialog);
    // usb-meter FILE.csv: show a recording saved earlier.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        dialog.openRecording(arguments.at(1));
    return app.exec();
}
