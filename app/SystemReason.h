// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The system's reason for a failed file operation in the program's language. The system
// gives its reasons in English; the common ones are translated, any other keeps the
// system's words in parentheses after a translated sentence.
namespace SystemReason {
QString translated(const QString& systemText);
}
