// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

// The page classes speak for the main dialog: their texts live in its translation context.
inline QString trMain(const char* sourceText) {
    return QCoreApplication::translate("MainDialog", sourceText);
}
