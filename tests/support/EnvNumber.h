// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// A number from the environment, or `fallback` when it is unset or not a number: how long
// runs are sized and how a failing seed is replayed.
inline int envNumber(const char* name, int fallback) {
    bool valid = false;
    const int value = qEnvironmentVariableIntValue(name, &valid);
    return valid ? value : fallback;
}
