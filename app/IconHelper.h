// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <QPixmap>

class QAbstractButton;
class QLabel;

// Puts glyphs of the icon font on labels, buttons and pixmaps. One instance per program,
// created on first use on the GUI thread and owned by the application object.
class IconHelper : public QObject {
    Q_OBJECT
public:
    static IconHelper* Instance();

    void setIcon(QLabel* label, QChar c, int size);
    void setIcon(QAbstractButton* button, QChar c, int size);
    // A transparent width x height pixmap with the glyph centred in `color`.
    QPixmap getPixmap(const QString& color, QChar c, int size, int width, int height);

private:
    explicit IconHelper(QObject* parent);

    // Stays the default font when registration fails: glyphs then show as plain characters.
    QFont iconFont;
};
