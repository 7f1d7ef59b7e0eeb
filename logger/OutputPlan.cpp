// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputPlan.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace {

constexpr char stampFormat[] = "yyyyMMdd-hhmmss";

// A folder may be listed as writable and still refuse files (a read-only mount): try.
bool canCreateFilesIn(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".usb-meter-log-XXXXXX")));
    return probe.open();
}

// Serial strings are the meter's own text and paths hold slashes: keep file names plain.
QString fileSafe(const QString& text) {
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]+"));
    QString safe = text;
    safe.replace(unsafe, QStringLiteral("_"));
    return safe.isEmpty() ? QStringLiteral("meter") : safe;
}

} // namespace

std::optional<OutputPlan> OutputPlan::make(const QString& output, bool severalMeters,
                                           QString& error) {
    OutputPlan plan;
    const QFileInfo info(output.isEmpty() ? QDir::currentPath() : output);
    if (info.isDir()) {
        plan.folder = info.absoluteFilePath();
    } else if (output.endsWith(QLatin1Char('/'))) {
        error = QStringLiteral("%1: no such folder").arg(output);
        return std::nullopt;
    } else if (severalMeters) {
        error = QStringLiteral("%1: with several meters the output must be a folder").arg(output);
        return std::nullopt;
    } else {
        plan.folder = info.absolutePath();
        plan.namedFile = info.absoluteFilePath();
        if (!QFileInfo(plan.folder).isDir()) {
            error = QStringLiteral("%1: no such folder").arg(plan.folder);
            return std::nullopt;
        }
        if (info.exists() && !info.isWritable()) {
            error = QStringLiteral("%1: cannot be written").arg(output);
            return std::nullopt;
        }
    }
    if (!canCreateFilesIn(plan.folder)) {
        error = QStringLiteral("%1: cannot create files there").arg(plan.folder);
        return std::nullopt;
    }
    return plan;
}

QString OutputPlan::fileFor(const QString& meterKey, const QDateTime& start, bool firstPart) const {
    const QString stamp = start.toString(QLatin1String(stampFormat));
    if (namedFile.isEmpty())
        return QDir(folder).filePath(
            QStringLiteral("usb-meter-%1-%2.csv").arg(fileSafe(meterKey), stamp));
    if (firstPart)
        return namedFile;
    const QFileInfo named(namedFile);
    return QDir(folder).filePath(QStringLiteral("%1-%2.csv").arg(named.completeBaseName(), stamp));
}
