// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QLabel;

// The tips bar at the window's foot. A standing message lasts as long as its cause (the
// journal is off, the meter is awaited, the meter may not be opened); a note (a file
// opened or saved) lasts until the next message. The bar shows the latest of those still
// standing and the last note, each made anew in the current language, so neither a
// language switch nor another feature's message loses one.
class TipsBar : public QObject {
    Q_OBJECT
public:
    enum class Cause { JournalOff, MeterAwaited, NoAccess, OpenFailing };
    // The message in the current language.
    using Text = std::function<QString()>;

    TipsBar(QLabel* label, QObject* parent);

    // The cause stands: its message shows until it ends or a later one comes.
    void raise(Cause cause, Text text);
    void end(Cause cause);
    void note(Text text);
    // After a language switch: the form's text went back onto the label.
    void relabel();

    QString text() const;

private:
    struct Message {
        Text text;
        quint64 order = 0;
    };
    void show();

    QLabel* label;
    std::map<Cause, Message> standing;
    Message lastNote;
    quint64 nextOrder = 1;
};
