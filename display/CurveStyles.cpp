// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveStyles.h"

#include "Setting.h"
#include "SettingKeys.h"

#include <QBrush>

#include <algorithm>

namespace {

constexpr std::array<qreal, 6> widthTable{0.5, 1.0, 1.5, 2.0, 2.5, 3.0};
// The pen width of a code outside the table, a single-precision 0.6 as stored files know it.
constexpr float otherWidth = 0.6f;
constexpr int widthDecimals = 1;
constexpr int colourBase = 16;
constexpr std::array<const char*, 7> themeTable{"Light",   "BlueCerulean", "Dark",   "BrownSand",
                                                "BlueNcs", "HighContrast", "BlueIcy"};

// Channel colours on the dark themes, the dashboard's own for VBUS, IBUS and POWER; and
// the same hues darkened for the light themes, each at least 3:1 against the background.
constexpr std::array<QRgb, 8> brightColours{0x55ff00, 0x00f0f4, 0xffd919, 0xff78c8,
                                            0xb99bff, 0xff963c, 0x64afff, 0xebebeb};
constexpr std::array<QRgb, 8> darkenedColours{0x1e8c00, 0x007d96, 0xa07300, 0xc81e82,
                                              0x7346d2, 0xcd5000, 0x1450c8, 0x555555};
// BlueCerulean and Dark draw on a dark background.
constexpr std::array<int, 2> darkThemes{1, 2};

static_assert(SettingKey::curveColour.size() == recordedChannelCount);
static_assert(brightColours.size() == recordedChannelCount);

} // namespace

CurveStyles::CurveStyles() {
    for (CurveStyle& style : styles)
        style.width = defaultWidthCode;
    applyDefaultColours();
}

void CurveStyles::load() {
    themeCode = storedThemeCode();
    for (int k = 0; k < recordedChannelCount; ++k) {
        CurveStyle& style = styles[static_cast<size_t>(k)];
        const std::optional<QColor> colour = storedColour(k);
        style.defaultColour = !colour;
        style.colour = colour.value_or(QColor());
        style.width = storedWidthCode(k);
    }
    applyDefaultColours();
}

void CurveStyles::applyDefaultColours() {
    for (int k = 0; k < recordedChannelCount; ++k) {
        CurveStyle& style = styles[static_cast<size_t>(k)];
        if (style.defaultColour)
            style.colour = defaultColour(k, themeCode);
    }
}

QColor CurveStyles::defaultColour(int channel, int themeCode) {
    const bool dark =
        std::find(darkThemes.begin(), darkThemes.end(), themeCode) != darkThemes.end();
    return QColor((dark ? brightColours : darkenedColours)[static_cast<size_t>(channel)]);
}

const CurveStyle& CurveStyles::at(int channel) const {
    return styles[static_cast<size_t>(channel)];
}

QPen CurveStyles::pen(int channel) const {
    const CurveStyle& style = at(channel);
    return QPen(QBrush(style.colour, Qt::SolidPattern), penWidth(style.width), Qt::SolidLine,
                Qt::SquareCap, Qt::BevelJoin);
}

void CurveStyles::setColour(int channel, const QColor& colour) {
    CurveStyle& style = styles[static_cast<size_t>(channel)];
    QColor& kept = style.colour;
    if (colour.isValid())
        kept = QColor(colour.rgb()); // stored opaque, so kept opaque
    style.defaultColour = false;
    Setting().writeValue(SettingKey::channelKey(SettingKey::curveColour, channel),
                         QString::number(kept.rgb(), colourBase));
}

void CurveStyles::setWidthCode(int channel, int code) {
    styles[static_cast<size_t>(channel)].width = code;
    Setting().writeValue(SettingKey::channelKey(SettingKey::curveWidth, channel),
                         QString::number(penWidth(code), 'f', widthDecimals));
}

QStringList CurveStyles::themeNames() {
    QStringList names;
    for (const char* name : themeTable)
        names << QString::fromLatin1(name);
    return names;
}

int CurveStyles::storedThemeCode() {
    const int code =
        themeNames().indexOf(Setting().readValue(QString::fromLatin1(SettingKey::chartTheme)));
    return code < 0 ? 0 : code;
}

void CurveStyles::setTheme(int code) {
    if (code < 0 || code >= static_cast<int>(themeTable.size()))
        return;
    storeTheme(code);
    themeCode = code;
    applyDefaultColours();
}

void CurveStyles::storeTheme(int code) {
    if (code < 0 || code >= static_cast<int>(themeTable.size()))
        return;
    Setting().writeValue(QString::fromLatin1(SettingKey::chartTheme),
                         QString::fromLatin1(themeTable[static_cast<size_t>(code)]));
}

QStringList CurveStyles::widthTexts() {
    QStringList texts;
    for (qreal width : widthTable)
        texts << QString::number(width, 'f', widthDecimals);
    return texts;
}

qreal CurveStyles::penWidth(int code) {
    if (code < 0 || code >= static_cast<int>(widthTable.size()))
        return static_cast<qreal>(otherWidth);
    return widthTable[static_cast<size_t>(code)];
}

int CurveStyles::widthCodeOf(const QString& text) {
    const int code = widthTexts().indexOf(text);
    return code < 0 ? 0 : code;
}

std::optional<QColor> CurveStyles::storedColour(int channel) {
    const QString text =
        Setting().readValue(SettingKey::channelKey(SettingKey::curveColour, channel));
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const QRgb value = text.toUInt(&ok, colourBase);
    // QColor(QRgb) ignores the alpha byte: the curve is always opaque.
    return ok ? QColor(value) : QColor(Qt::black);
}

QString CurveStyles::storedWidthText(int channel) {
    return Setting().readValue(SettingKey::channelKey(SettingKey::curveWidth, channel));
}

int CurveStyles::storedWidthCode(int channel) {
    const QString text = storedWidthText(channel);
    return text.isEmpty() ? defaultWidthCode : widthCodeOf(text);
}
