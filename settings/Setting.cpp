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

// The stored spelling of a key that equals `key` ignoring case, or an empty string.
QString storedKey(const QSettings& settings, const QString& key) {
    if (settings.contains(key))
        return key;
    const QStringList keys = settings.allKeys();
    for (const QString& candidate : keys) {
        if (candidate.compare(key, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return QString();
}

} // namespace

Setting::Setting(QObject* parent) : QObject(parent) {}

QString Setting::filePath() { return QDir::currentPath() + QStringLiteral("/usb-hid.ini"); }

QString Setting::readValue(const QString& key) const {
    if (!fileIsUsable())
        return QString();
    QSettings settings(filePath(), QSettings::IniFormat);
    const QString stored = storedKey(settings, key);
    if (stored.isEmpty())
        return QString();
    return settings.value(stored, QVariant()).toString();
}

void Setting::writeValue(const QString& key, const QString& value) {
    if (!fileIsUsable())
        return;
    QSettings settings(filePath(), QSettings::IniFormat);
    const QString stored = storedKey(settings, key);
    if (!stored.isEmpty() && stored != key)
        settings.remove(stored);
    settings.setValue(key, QVariant(value));
}

void Setting::removeValue(const QString& key) {
    if (!fileIsUsable())
        return;
    QSettings settings(filePath(), QSettings::IniFormat);
    const QString stored = storedKey(settings, key);
    if (!stored.isEmpty())
        settings.remove(stored);
}
