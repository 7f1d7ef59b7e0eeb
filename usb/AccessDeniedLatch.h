// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Says when a refused open of the meter is news. A meter whose device node refuses us
// (errno EACCES after the open fails: it is listed, but the user may not open it) is
// retried every half second; the user hears of it once per plug-in. An open that
// succeeds or fails for another reason (the meter went away) arms it again.
class AccessDeniedLatch {
public:
    // One open attempt: whether it opened, and errno as the failed open left it.
    // True only for the first refusal since the latch was last armed.
    bool isNewRefusal(bool opened, int error);

private:
    bool reported = false;
};
