#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Runs a test in a fresh temporary working directory, so usb-hid.ini starts absent and
// nothing leaks between tests or into the source tree.
class ScopedWorkDir {
public:
    ScopedWorkDir() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~ScopedWorkDir() { QDir::setCurrent(previous); }
    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;

    QString path() const { return dir.path(); }
    QString filePath(const QString& name) const { return dir.filePath(name); }

    // Puts hand-made bytes in place of the settings file; false when that fails.
    static bool writeSettingsFile(const QByteArray& bytes) {
        QFile file("usb-hid.ini");
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir dir;
    QString previous;
};
