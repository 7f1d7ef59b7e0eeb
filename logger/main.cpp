// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder without a window, over the real hidapi.
#include "LoggerMain.h"

int main(int argc, char** argv) {
    return runLogger(argc, argv);
}
