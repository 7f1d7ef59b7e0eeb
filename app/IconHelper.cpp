// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconHelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPointer>

namespace {
const char* const iconFontPath = ":/sys/rs/rs/font/fontawesome-webfont.ttf";
}

IconHelper* IconHelper::Instance() {
    // Guarded: the instance dies with the application object.
    static QPointer<IconHelper> instance;
    if (!instance)
        instance = new IconHelper(qApp);
    return instance;
}

IconHelper::IconHelper(QObject* parent) : QObject(parent) {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(iconFontPath));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        iconFont = QFont(families.first());
}

void IconHelper::setIcon(QLabel* label, QChar c, int size) {
    QFont font = iconFont;
    font.setPointSize(size);
    label->setFont(font);
    label->setText(c);
}

void IconHelper::setIcon(QAbstractButton* button, QChar c, int size) {
    QFont font = iconFont;
    font.setPointSize(size);
    button->setFont(font);
    button->setText(c);
}

QPixmap IconHelper::getPixmap(const QString& color, QChar c, int size, int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(QColor(color));
    painter.setBrush(QColor(color));
    QFont font = iconFont;
    font.setPointSize(size);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, c);
    return pixmap;
}
