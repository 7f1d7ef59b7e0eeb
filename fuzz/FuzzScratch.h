// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A scratch directory for targets that go through files, removed when the run ends.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline const QString& fuzzScratchDir() {
    static const QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

// Replaces the scratch file `name` with `bytes` and returns its path.
inline QString writeScratchFile(const QString& name, const QByteArray& bytes) {
    const QString path = fuzzScratchDir() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        qFatal("cannot write the scratch file %s", qPrintable(path));
    }
    return path;
}

// Records are written and read in local time; in UTC every local time exists once, so a
// daylight-saving hour cannot make two records one text.
inline void useUtcLocalTime() {
    qputenv("TZ", "UTC");
}
