// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainTextLog.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

void appendLogLine(QTextEdit* log, const QString& line) {
    QTextCursor cursor(log->document());
    cursor.movePosition(QTextCursor::End);
    if (!log->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(line);
    log->ensureCursorVisible();
}
