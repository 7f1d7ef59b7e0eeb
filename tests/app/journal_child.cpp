// The program as a user starts it, over a simulated meter with a steady reading. Without
// arguments it records until it is killed. With "reopen" it is the next start: it opens
// the recording offered at start-up, prints "offered <samples>" once its window shows
// that recording, and quits.
#include "Acquisition.h"
#include "Application.h"
#include "MainDialog.h"
#include "SimMeter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

constexpr int watchIntervalMs = 20;

void answerOpenAndReport() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        for (QAbstractButton* b : box->buttons()) {
            if (box->buttonRole(b) == QMessageBox::AcceptRole)
                b->click();
        }
        return;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<MainDialog*>(w);
        if (dialog && dialog->isVisible()) {
            std::printf("offered %d\n", dialog->acquisition()->log().size());
            std::fflush(stdout);
            QApplication::quit();
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool reopen = argc > 1 && std::strcmp(argv[1], "reopen") == 0;
    return runApplication(argc, argv, {}, [reopen] {
        sim::MeterState state;
        state.channels[0] = 5.1;
        state.channels[1] = 1.25;
        state.channels[2] = 6.375;
        sim::plug(sim::Identity(), state);
        if (!reopen)
            return;
        auto* watch = new QTimer(qApp);
        QObject::connect(watch, &QTimer::timeout, answerOpenAndReport);
        watch->start(watchIntervalMs);
    });
}
