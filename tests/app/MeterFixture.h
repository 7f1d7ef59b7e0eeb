#pragma once

#include "Acquisition.h"
#include "DeviceInfoUI.h"
#include "MainDialog.h"
#include "ScopedWorkDir.h"
#include "SimMeter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStackedWidget>
#include <QTreeWidget>

#include <memory>

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

    template <typename T> T* widget(const char* name) const {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QStackedWidget* pages() const { return widget<QStackedWidget>("disp_stackedWidget"); }
    int cardCount() const { return widget<QTreeWidget>("device_treeWidget")->topLevelItemCount(); }
    DeviceInfoUI* card() const {
        auto* tree = widget<QTreeWidget>("device_treeWidget");
        if (tree->topLevelItemCount() == 0)
            return nullptr;
        return qobject_cast<DeviceInfoUI*>(tree->itemWidget(tree->topLevelItem(0), 0));
    }
    QString cardText(const char* label) const {
        DeviceInfoUI* c = card();
        return c ? c->findChild<QLabel*>(QString::fromLatin1(label))->text() : QString();
    }
    bool running() const { return dialog->acquisition()->isRunning(); }
    int logSize() const { return dialog->acquisition()->log().size(); }

    std::unique_ptr<MainDialog> dialog;

private:
    ScopedWorkDir workDir;
};
