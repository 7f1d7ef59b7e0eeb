// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// A crash report of the x86-64 Linux reporter taken apart line by line, in the order the
// report must have them.
struct ParsedReport {
    struct StackEntry {
        quint64 address;
        QString module;
    };

    QString systemLine;
    QString process;
    quint64 exceptionAddress = 0;
    QString module;
    QString code;
    QString access; // "Read"/"Write", empty when the report has no access line
    quint64 accessAddress = 0;
    QStringList instruction;
    QMap<QString, quint64> registers;
    QVector<StackEntry> stack;

    // Fills `report` from `text`; returns what did not fit, or an empty text when all did.
    static QString parse(const QByteArray& text, ParsedReport& report);
};
