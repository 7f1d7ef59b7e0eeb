// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPalette>
#include <QScreen>
#include <QTextCodec>

#include <algorithm>

namespace Startup {

namespace {
constexpr double referenceDpi = 96.0;
constexpr double referencePointSize = 9.0;

void applyStyleSheet(QApplication& app) {
    QFile file(QString::fromLatin1(styleSheetPath));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    const QString text =
        QString::fromLatin1(bytes.constData(), qstrnlen(bytes.constData(), bytes.size()));
    app.setPalette(QPalette(paletteColour(text)));
    app.setStyleSheet(text);
}
} // namespace

int defaultFontPointSize(qreal logicalDpi) {
    // A screen so dense that the rule gives 0 pt, or one reporting no density at all,
    // still gets a readable font.
    if (!(logicalDpi > 0))
        return static_cast<int>(referencePointSize);
    return std::max(1, static_cast<int>(referencePointSize / (logicalDpi / referenceDpi)));
}

QColor paletteColour(const QString& styleSheet) {
    QColor colour;
    colour.setNamedColor(styleSheet.mid(paletteColourIndex, paletteColourLength));
    return colour;
}

void applyAppearance(QApplication& app) {
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("utf-8"));
    applyStyleSheet(app);
    QFont::insertSubstitution(QString::fromLatin1(defaultFontFamily),
                              QString::fromLatin1(fallbackFontFamily));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int size = defaultFontPointSize(screen->logicalDotsPerInch());
        QFont font(QString::fromLatin1(defaultFontFamily), size);
        app.setFont(font);
    }
}

} // namespace Startup
