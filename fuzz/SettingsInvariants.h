// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What any usb-hid.ini must do to the settings readers, shared by the libFuzzer target and
// its smoke run. The input is the whole file, placed in the working directory. Every key
// the program reads is read, the display's keys by their own readers; reading never changes
// the file; the custom ranges come back
// finite and within what their edits accept, the curve colours opaque, the width codes and
// the theme code within their tables. Then the program's own writes must read back from
// whatever the file held: the language it stores under "language" and reads as "Language",
// a theme and a custom range.

#include "CurveStyles.h"
#include "CustomRanges.h"
#include "FuzzScratch.h"
#include "Setting.h"
#include "SettingKeys.h"

#include <QDir>

#include <cmath>

namespace SettingsCheck {

// The keys whose readers live with widgets or the link; the display's readers below read
// the rest.
inline QStringList keysReadElsewhere() {
    using namespace SettingKey;
    QStringList keys;
    for (const char* key : {languageRead, filePath, reportId, capacityEndCurrent,
                            capacityEndHoldSecs, capacityCutOffOn, capacityCutOffVolts})
        keys << QString::fromLatin1(key);
    return keys;
}

inline QString readViolation() {
    for (const QString& key : keysReadElsewhere())
        Setting().readValue(key);
    CustomRanges ranges;
    ranges.load();
    for (int k = 0; k < recordedChannelCount; ++k) {
        for (const float bound : {ranges.rangeMin[size_t(k)], ranges.rangeMax[size_t(k)]}) {
            if (!std::isfinite(bound) || bound < 0.0f || bound > CustomRanges::top(k))
                return QStringLiteral("channel %1 range bound %2").arg(k).arg(double(bound));
        }
    }
    CurveStyles styles;
    styles.load();
    for (int k = 0; k < recordedChannelCount; ++k) {
        const CurveStyle& style = styles.at(k);
        if (!style.colour.isValid() || style.colour.alpha() != 255 || style.width < 0 ||
            style.width >= CurveStyles::widthTexts().size())
            return QStringLiteral("channel %1 curve width code %2").arg(k).arg(style.width);
    }
    const int theme = CurveStyles::storedThemeCode();
    if (theme < 0 || theme >= CurveStyles::themeNames().size())
        return QStringLiteral("theme code %1").arg(theme);
    return QString();
}

inline QString writeViolation() {
    Setting().writeValue(QString::fromLatin1(SettingKey::languageWrite),
                         QString::fromLatin1(SettingValue::english));
    const QString language = Setting().readValue(QString::fromLatin1(SettingKey::languageRead));
    if (language != QLatin1String(SettingValue::english))
        return QStringLiteral("language stored as English reads \"%1\"").arg(language);
    constexpr int theme = 2;
    CurveStyles::storeTheme(theme);
    if (CurveStyles::storedThemeCode() != theme)
        return QStringLiteral("stored theme reads as %1").arg(CurveStyles::storedThemeCode());
    constexpr float bound = 12.5f;
    CustomRanges ranges;
    ranges.storeMax(CPU_TEMP, bound);
    ranges.load();
    if (ranges.rangeMax[CPU_TEMP] != bound)
        return QStringLiteral("stored bound reads as %1").arg(double(ranges.rangeMax[CPU_TEMP]));
    return QString();
}

inline QString violation(const QByteArray& bytes) {
    const QString path = writeScratchFile(QStringLiteral("usb-hid.ini"), bytes);
    if (path != Setting::filePath())
        return QStringLiteral("the working directory is not the scratch directory");
    const QString read = readViolation();
    if (!read.isEmpty())
        return read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes)
        return QStringLiteral("reading the settings changed the file");
    file.close();
    return writeViolation();
}

} // namespace SettingsCheck
