// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Acquisition.h"
#include "CommandFrame.h"
#include "MainDialog.h"
#include "ScopedWorkDir.h"
#include "SimMeter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <type_traits>
#include <vector>

// A main dialog over the simulated meter, in its own working directory.
class MeterFixture {
public:
    // The link thread notices an unplug and retries within 500 ms each; allow slack.
    static constexpr int linkTimeoutMs = 4000;

    MeterFixture() { sim::reset(); }
    ~MeterFixture() {
        dialog.reset();
        sim::reset();
    }

    MainDialog& open() {
        dialog = std::make_unique<MainDialog>();
        return *dialog;
    }

    // A widget of the dialog by object name. A missing one fails the running test with
    // its name and hands back a stand-in, so that the rest of the suite still runs.
    template <typename T> T* widget(const char* name) const { return found<T>(dialog.get(), name); }
    QStackedWidget* pages() const { return widget<QStackedWidget>("disp_stackedWidget"); }
    int cardCount() const { return widget<QTreeWidget>("device_treeWidget")->topLevelItemCount(); }
    QString cardText(const char* label) const {
        auto* tree = widget<QTreeWidget>("device_treeWidget");
        if (tree->topLevelItemCount() == 0)
            return QString();
        return found<QLabel>(tree->itemWidget(tree->topLevelItem(0), 0), label)->text();
    }
    bool running() const { return dialog->acquisition()->isRunning(); }
    int logSize() const { return dialog->acquisition()->log().size(); }

    // The dialog's 1 s timers, stopped so that a test runs their ticks itself.
    void stopTimers() {
        found<QTimer>(dialog.get(), "readTimer")->stop();
        found<QTimer>(dialog.get(), "sampleTimer")->stop();
    }
    void tick(const char* timerName) {
        QMetaObject::invokeMethod(found<QTimer>(dialog.get(), timerName), "timeout");
    }
    // Polls written to the meter since its written reports were last cleared.
    static int pollsWritten(int meter) {
        const QByteArray poll = pollFrame();
        int polls = 0;
        for (const sim::Report& r : sim::writtenReports(meter))
            polls += QByteArray(reinterpret_cast<const char*>(r.data()), poll.size()) == poll;
        return polls;
    }

    std::unique_ptr<MainDialog> dialog;

private:
    template <typename T> T* found(const QObject* parent, const char* name) const {
        if (parent)
            if (T* child = parent->findChild<T*>(QString::fromLatin1(name)))
                return child;
        QTest::qFail(qPrintable(QStringLiteral("no %1 named \"%2\"")
                                    .arg(QLatin1String(T::staticMetaObject.className()),
                                         QLatin1String(name))),
                     __FILE__, __LINE__);
        // A concrete type for the abstract button.
        using StandIn = std::conditional_t<std::is_abstract_v<T>, QPushButton, T>;
        auto* standIn = new StandIn();
        standIns.emplace_back(standIn);
        return standIn;
    }

    mutable std::vector<std::unique_ptr<QObject>> standIns;
    ScopedWorkDir workDir;
};
