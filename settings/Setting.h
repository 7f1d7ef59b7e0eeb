// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The one door to usb-hid.ini in the current working directory. Every call opens the
// file, reads or writes one key and lets it go, so each read sees the file as it is now.
// Keys match without regard to case ("language" and "Language" are one entry).
class Setting : public QObject {
    Q_OBJECT
public:
    explicit Setting(QObject* parent = nullptr);

    // The stored text, or the empty string when the key is absent or the file unusable.
    QString readValue(const QString& key) const;
    // Stores the text; a failure to write is silent.
    void writeValue(const QString& key, const QString& value);
    void removeValue(const QString& key);

    static QString filePath();
};
