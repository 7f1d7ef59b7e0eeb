// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessDeniedLatch.h"

#include <cerrno>

bool AccessDeniedLatch::isNewRefusal(bool opened, int error) {
    const bool refused = !opened && error == EACCES;
    const bool news = refused && !reported;
    reported = refused;
    return news;
}
