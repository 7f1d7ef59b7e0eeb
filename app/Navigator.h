// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QAbstractButton;

namespace Ui {
class MainDialog;
}

// Moves between the pages of the stack and tells the meter which page shows.
class Navigator : public QObject {
    Q_OBJECT
public:
    enum Page : int {
        Home = 0,
        Upgrade = 1,
        Dashboard = 2,
        Settings = 3,
        PageFour = 4,
        PageFive = 5,
        PageSix = 6,
        ReducedSettings = 7,
    };

    using CommandSink = std::function<void(quint8 code)>;
    using ModelSource = std::function<QString()>;

    Navigator(Ui::MainDialog* ui, CommandSink sendCommand, ModelSource modelWord, QObject* parent);

    // A home-page tool button, recognised by its (translated) text.
    void openFromToolButton(const QAbstractButton* button);
    void returnHome();
    void openUpgradeShortcut();
    void openSettingsShortcut();

    // The six home-page button texts, translated, in button order.
    static QStringList toolButtonTexts();

private:
    void openSettingsPage(const QString& title);
    void prepareUpgradePage();

    Ui::MainDialog* ui;
    CommandSink sendCommand;
    ModelSource modelWord;
};
