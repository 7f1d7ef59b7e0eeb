#pragma once

#include <QDir>
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

private:
    QTemporaryDir dir;
    QString previous;
};
