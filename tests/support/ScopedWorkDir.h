// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Runs a test in a fresh temporary working directory, so usb-hid.ini starts absent and
// nothing leaks between tests or into the source tree; the data folder (the run journal)
// lies inside it too.
class ScopedWorkDir {
public:
    ScopedWorkDir() : previous(QDir::currentPath()), previousData(qgetenv("XDG_DATA_HOME")) {
        QDir::setCurrent(dir.path());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    }
    ~ScopedWorkDir() {
        QDir::setCurrent(previous);
        if (previousData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previousData);
    }
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
    QByteArray previousData;
};
