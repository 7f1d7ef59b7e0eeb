// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Meter models whose firmware offers only the reduced settings page. The comparison is
// exact and case-sensitive: "k82" is not "K82".
inline bool isReducedSettingsModel(const QString& modelWord) {
    return modelWord == QLatin1String("Q7") || modelWord == QLatin1String("K82") ||
           modelWord == QLatin1String("M514");
}
