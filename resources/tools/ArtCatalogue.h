// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <functional>

// Every picture the generator can draw, keyed by the file name it is stored under in the
// resource trees. The build names the files it wants; a name without a drawing is an error.
using ArtDrawing = std::function<QImage()>;

// The drawing stored under `fileName`, or an empty function if there is none.
ArtDrawing findArt(const QString& fileName);
