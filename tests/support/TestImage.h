// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// A firmware image of `size` bytes whose bytes vary, so that a misplaced block shows.
inline QByteArray testImage(int size) {
    QByteArray image(size, '\0');
    for (int i = 0; i < size; ++i)
        image[i] = static_cast<char>((i * 31 + i / 256 + 5) & 0xFF);
    return image;
}
