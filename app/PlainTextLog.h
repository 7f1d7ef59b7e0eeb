// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QTextEdit;

// Appends one line as plain text: file paths and device strings must never be read as
// markup.
void appendLogLine(QTextEdit* log, const QString& line);
