// SPDX-License-Identifier: GPL-3.0-or-later
#include "Setting.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// A settings file this large is not ours: leave it alone rather than parse or rewrite it.
constexpr qint64 maxSettingsFileBytes = 1024 * 1024;

bool fileIsUsable() {
    const QFileInfo info(Setting::filePath());
    return !info.exists() || (info.isFile() && info.size() <= maxSettingsFileBytes);
}

// Every stored spelling of `key`, ignoring case; the exact spelling first when present.
QStringList storedKeys(const QSettings& settings, const QString& key) {
    QStringList found;
    const QStringList keys = settings.allKeys();
    for (const QString& candidate : keys) {
        if (candidate.compare(key, Qt::CaseInsensitive) == 0)
            found.append(candidate);
    }
    if (found.removeOne(key))
        found.prepend(key);
    return found;
}

} // namespace

Setting::Setting(QObject* parent) : QObject(parent) {}

QString Setting::filePath() {
    return QDir::currentPath() + QStringLiteral("/usb-hid.ini");
}

QString Setting::readValue(const QString& key) const {
    if (!fileIsUsable())
        return QString();
    QSettings settings(filePath(), QSettings::IniFormat);
    const QStringList stored = storedKeys(settings, key);
    if (stored.isEmpty())
        return QString();
    return settings.value(stored.first(), QVariant()).toString();
}

void Setting::writeValue(const QString& key, const QString& value) {
    if (!fileIsUsable())
        return;
    QSettings settings(filePath(), QSettings::IniFormat);
    // One entry per key: other spellings would shadow or contradict the value written.
    for (const QString& stored : storedKeys(settings, key)) {
        if (stored != key)
            settings.remove(stored);
    }
    settings.setValue(key, QVariant(value));
}

void Setting::removeValue(const QString& key) {
    if (!fileIsUsable())
        return;
    QSettings settings(filePath(), QSettings::IniFormat);
    for (const QString& stored : storedKeys(settings, key))
        settings.remove(stored);
}
