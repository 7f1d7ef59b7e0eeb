// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr char journalSuffix[] = ".journal";
constexpr char lockSuffix[] = ".lock";
constexpr int maxNameTries = 100;

QString journalName(qint64 startSecs, int attempt) {
    QString name = QStringLiteral("recording-%1-%2")
                       .arg(QDateTime::fromSecsSinceEpoch(startSecs).toString(
                           QStringLiteral("yyyyMMdd-hhmmss")))
                       .arg(QCoreApplication::applicationPid());
    if (attempt > 0)
        name += QStringLiteral("-%1").arg(attempt + 1);
    return name + QLatin1String(journalSuffix);
}

} // namespace

HeldJournal HeldJournal::tryHold(const QString& path) {
    HeldJournal held;
    auto lock = std::make_unique<QLockFile>(path + QLatin1String(lockSuffix));
    // Only a dead owner makes a lock stale, never its age: a run may last for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return held;
    held.filePath = path;
    held.lock = std::move(lock);
    return held;
}

void HeldJournal::discard() {
    if (isHeld())
        QFile::remove(filePath);
    release();
}

void HeldJournal::release() {
    lock.reset();
    filePath.clear();
}

namespace JournalFolder {

bool makePrivateFolder(const QString& dir) {
    return QDir().mkpath(dir) &&
           QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool createPrivateFile(QFile& file, const QString& path, QString& error) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        error = qt_error_string(errno);
        return false;
    }
    ::fchmod(fd, S_IRUSR | S_IWUSR); // a file that was there already keeps its mode otherwise
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFile::AutoCloseHandle)) {
        ::close(fd);
        error = file.errorString();
        return false;
    }
    return true;
#else
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
#endif
}

HeldJournal holdNew(const QString& dir, qint64 startSecs, QString& error) {
    makePrivateFolder(dir);
    for (int attempt = 0; attempt < maxNameTries; ++attempt) {
        const QString path = QDir(dir).filePath(journalName(startSecs, attempt));
        if (QFile::exists(path))
            continue;
        HeldJournal held = HeldJournal::tryHold(path);
        if (held.isHeld())
            return held;
    }
    // A lock does not say why it failed; a file made in the folder does.
    QFile probe;
    if (createPrivateFile(probe, QDir(dir).filePath(QStringLiteral(".probe")), error)) {
        probe.remove();
        error = qt_error_string(EEXIST); // every name was taken
    }
    return {};
}

Scan takeUnsaved(const QString& dir) {
    Scan scan;
    const QStringList names = QDir(dir).entryList({QLatin1Char('*') + QLatin1String(journalSuffix)},
                                                  QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        HeldJournal held = HeldJournal::tryHold(QDir(dir).filePath(name));
        if (!held.isHeld())
            continue; // a live copy of the program records into it
        JournalContents contents = readJournal(held.path());
        if (contents.status == JournalContents::Status::FutureVersion)
            ++scan.newerVersions;
        if (contents.status != JournalContents::Status::Ok)
            continue;
        if (contents.state == JournalContents::RunState::Saved || contents.samples.isEmpty())
            held.discard();
        else
            scan.unsaved.push_back({std::move(held), std::move(contents)});
    }
    std::stable_sort(scan.unsaved.begin(), scan.unsaved.end(), [](const Found& a, const Found& b) {
        return a.contents.startSecs > b.contents.startSecs;
    });
    return scan;
}

} // namespace JournalFolder
