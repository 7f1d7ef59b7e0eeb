#include "CurveStyles.h"

#include "Setting.h"
#include "SettingKeys.h"

#include <QBrush>

namespace {

constexpr std::array<qreal, 6> widthTable{0.5, 1.0, 1.5, 2.0, 2.5, 3.0};
// The pen width of a code outside the table, a single-precision 0.6 as stored files know it.
constexpr float otherWidth = 0.6f;
constexpr int widthDecimals = 1;
constexpr int colourBase = 16;
constexpr std::array<const char*, 7> themeTable{"Light",   "BlueCerulean", "Dark",   "BrownSand",
                                                "BlueNcs", "HighContrast", "BlueIcy"};

static_assert(SettingKey::curveColour.size() == recordedChannelCount);

} // namespace

void CurveStyles::load() {
    for (int k = 0; k < recordedChannelCount; ++k) {
        CurveStyle& style = styles[static_cast<size_t>(k)];
        style.colour = storedColour(k);
        style.width = widthCodeOf(storedWidthText(k));
    }
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
    QColor& kept = styles[static_cast<size_t>(channel)].colour;
    if (colour.isValid())
        kept = QColor(colour.rgb()); // stored opaque, so kept opaque
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

QColor CurveStyles::storedColour(int channel) {
    bool ok = false;
    const QRgb value = Setting()
                           .readValue(SettingKey::channelKey(SettingKey::curveColour, channel))
                           .toUInt(&ok, colourBase);
    // QColor(QRgb) ignores the alpha byte: the curve is always opaque.
    return ok ? QColor(value) : QColor(Qt::black);
}

QString CurveStyles::storedWidthText(int channel) {
    return Setting().readValue(SettingKey::channelKey(SettingKey::curveWidth, channel));
}
