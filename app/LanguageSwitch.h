// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTranslator;

// The interface language: Chinese is the source text, English the compiled catalogue.
// Whether to re-label is decided from the translator's actual state, not from the stored
// text, so an explicit choice always takes effect at once.
class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    static constexpr char englishCatalogue[] = ":/Language/lib_en.qm";

    explicit LanguageSwitch(QObject* parent = nullptr);

    // Installs English when the stored language says exactly "English".
    void applyStored();
    // Each returns true when the interface changed and must be re-labelled; the choice
    // is stored either way.
    bool switchToChinese();
    bool switchToEnglish();

    bool isEnglish() const { return english; }

private:
    bool installEnglish();

    QTranslator* translator;
    bool english = false;
};
