// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the application's pictures at build time:
//     res_imagegen <output directory> <file name>...
// Each file is written in the format its suffix names (PNG, JPEG or ICO).
#include "ArtCatalogue.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {
// High enough that the dashboard's dark gradient keeps no visible blocks.
constexpr int jpegQuality = 92;

bool writePicture(const QDir& directory, const QString& fileName) {
    const ArtDrawing draw = findArt(fileName);
    if (!draw) {
        std::fprintf(stderr, "res_imagegen: no drawing for %s\n", qPrintable(fileName));
        return false;
    }
    QImageWriter writer(directory.filePath(fileName));
    if (fileName.endsWith(".jpg")) {
        writer.setQuality(jpegQuality);
    }
    if (!writer.write(draw())) {
        std::fprintf(stderr, "res_imagegen: cannot write %s: %s\n", qPrintable(fileName),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: res_imagegen <output directory> <file name>...\n");
        return 2;
    }
    const QDir directory(args.at(1));
    if (!directory.mkpath(".")) {
        std::fprintf(stderr, "res_imagegen: cannot create %s\n", qPrintable(args.at(1)));
        return 1;
    }
    for (const QString& fileName : args.mid(2)) {
        if (!writePicture(directory, fileName)) {
            return 1;
        }
    }
    return 0;
}
