// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user starts it, over a simulated meter with a steady reading, for the
// recovery tests to kill and start again. JOURNAL_CHILD_OFFERS answers the recovery offers:
// "open" opens the first one, "discard" throws every one away; each is printed as
// "offer <its text>". Once the window shows it prints "shown <samples in the log>" and
// records until killed, taking commands on its standard input: "stop" presses Stop,
// "open FILE" opens a CSV file answering "replace"; each is acknowledged with "done".
#include "Acquisition.h"
#include "Application.h"
#include "MainDialog.h"
#include "SimMeter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int watchIntervalMs = 20;

struct Script {
    QMessageBox::ButtonRole offerAnswer = QMessageBox::AcceptRole;
    bool shown = false;
};

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

MainDialog* shownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<MainDialog*>(w);
        if (dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

void click(QMessageBox* box, QMessageBox::ButtonRole role) {
    for (QAbstractButton* b : box->buttons()) {
        if (box->buttonRole(b) == role) {
            b->click();
            return;
        }
    }
}

void watch(Script& script) {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        if (box->objectName() == QLatin1String("recoveryOffer")) {
            say(QStringLiteral("offer ") + box->text());
            click(box, script.offerAnswer);
        } else if (box->objectName() == QLatin1String("replaceQuestion")) {
            click(box, QMessageBox::DestructiveRole);
        }
        return;
    }
    MainDialog* dialog = shownWindow();
    if (!dialog || script.shown)
        return;
    script.shown = true;
    say(QStringLiteral("shown %1").arg(dialog->acquisition()->log().size()));
}

void runCommand(const QByteArray& line) {
    MainDialog* dialog = shownWindow();
    if (!dialog)
        return;
    if (line == "stop" && dialog->acquisition()->isRunning())
        dialog->findChild<QAbstractButton*>(QStringLiteral("disp_Btn_Run"))->click();
    else if (line.startsWith("open "))
        dialog->openRecording(QString::fromLocal8Bit(line.mid(5)));
    say(QStringLiteral("done"));
}

void takeCommands() {
    auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(input, &QSocketNotifier::activated, [] {
        static QByteArray pending;
        char chunk[256];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got > 0)
            pending.append(chunk, int(got));
        for (int end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            runCommand(pending.left(end));
    });
}

} // namespace

int main(int argc, char** argv) {
    static Script script;
    if (qgetenv("JOURNAL_CHILD_OFFERS") == "discard")
        script.offerAnswer = QMessageBox::DestructiveRole;
    return runApplication(argc, argv, {}, [] {
        sim::MeterState state;
        state.channels[0] = 5.1;
        state.channels[1] = 1.25;
        state.channels[2] = 6.375;
        sim::plug(sim::Identity(), state);
        auto* watcher = new QTimer(qApp);
        QObject::connect(watcher, &QTimer::timeout, [] { watch(script); });
        watcher->start(watchIntervalMs);
        takeCommands();
    });
}
