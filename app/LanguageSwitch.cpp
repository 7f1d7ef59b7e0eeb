// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageSwitch.h"

#include "Setting.h"
#include "SettingKeys.h"

#include <QCoreApplication>
#include <QTranslator>

// The translator lives and dies with the switch: a destroyed translator removes itself
// from the application, so a later window never inherits a stale language.
LanguageSwitch::LanguageSwitch(QObject* parent)
    : QObject(parent), translator(new QTranslator(this)) {}

void LanguageSwitch::applyStored() {
    const QString stored = Setting().readValue(QString::fromLatin1(SettingKey::languageRead));
    if (stored == QLatin1String(SettingValue::english))
        installEnglish();
    else if (QCoreApplication::removeTranslator(translator))
        english = false;
}

bool LanguageSwitch::switchToChinese() {
    const bool change = english;
    if (change) {
        QCoreApplication::removeTranslator(translator);
        english = false;
    }
    Setting().writeValue(QString::fromLatin1(SettingKey::languageWrite),
                         QString::fromLatin1(SettingValue::chinese));
    return change;
}

bool LanguageSwitch::switchToEnglish() {
    const bool change = !english && installEnglish();
    Setting().writeValue(QString::fromLatin1(SettingKey::languageWrite),
                         QString::fromLatin1(SettingValue::english));
    return change;
}

// A catalogue that fails to load leaves the interface Chinese.
bool LanguageSwitch::installEnglish() {
    if (!translator->load(QString::fromLatin1(englishCatalogue)))
        return false;
    QCoreApplication::installTranslator(translator);
    english = true;
    return true;
}
