// SPDX-License-Identifier: GPL-3.0-or-later
// The program as shipped, except that it prints "shown" once its main window has been
// exposed and painted, then quits.
#include "Application.h"
#include "MainDialog.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <algorithm>
#include <cstdio>

namespace {

bool isMainDialogWindow(QObject* watched) {
    const auto* window = qobject_cast<QWindow*>(watched);
    if (!window || !window->isExposed())
        return false;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    return std::any_of(topLevels.begin(), topLevels.end(), [window](QWidget* widget) {
        return qobject_cast<MainDialog*>(widget) && widget->windowHandle() == window;
    });
}

// Watches every event of the application for the main window's first exposure.
class FirstExposure : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen && event->type() == QEvent::Expose && isMainDialogWindow(watched)) {
            seen = true;
            // Queued, so the paint this exposure triggers is finished before the report.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::puts("shown");
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen = false;
};

} // namespace

int main(int argc, char** argv) {
    return runApplication(argc, argv, {}, [] { qApp->installEventFilter(new FirstExposure(qApp)); });
}
