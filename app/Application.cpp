#include "Application.h"

#include "CrashFilter.h"
#include "MainDialog.h"
#include "Startup.h"

#include <QApplication>

int runApplication(int argc, char** argv, const std::function<void()>& beforeWindow) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    installCrashFilter();
    Startup::applyAppearance(app);
    if (beforeWindow)
        beforeWindow();
    MainDialog dialog;
    dialog.show();
    // usb-meter FILE.csv: show a recording saved earlier.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        dialog.openRecording(arguments.at(1));
    return app.exec();
}
