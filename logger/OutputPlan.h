// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Where the recordings go: a folder (one file per meter, named after the meter and the
// time of its first sample) or one named file. Checked before anything is recorded.
class OutputPlan {
public:
    // `output` empty means the working folder. A named file is refused when several
    // meters may be recorded. Nothing when the place cannot be written; `error` says why.
    static std::optional<OutputPlan> make(const QString& output, bool severalMeters,
                                          QString& error);

    // The file of a meter's part of the recording that starts at `start`. The first part
    // of a named file is that file; later parts get the start time beside it.
    QString fileFor(const QString& meterKey, const QDateTime& start, bool firstPart) const;

private:
    QString folder;
    QString namedFile; // empty: a folder of files
};
