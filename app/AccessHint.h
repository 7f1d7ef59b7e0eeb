// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class TipsBar;

// The tips bar's note that a meter is plugged in but may not be opened: on Linux a new
// user's meter shows up in the listing while its device node belongs to root, and without
// this the program would sit there silently showing nothing.
class AccessHint : public QObject {
    Q_OBJECT
public:
    AccessHint(TipsBar* tips, QObject* parent);

    static QString text();
    void show();
    // The meter opened: the hint's cause is gone.
    void clear();

private:
    TipsBar* tips;
};
