// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThreadSwitches.h"

#include <QDir>
#include <QFile>

namespace ThreadSwitches {
namespace {

constexpr char voluntaryKey[] = "voluntary_ctxt_switches:";

// -1 when the thread is gone or the field is missing.
long long readVoluntary(int tid) {
    QFile status(QStringLiteral("/proc/self/task/%1/status").arg(tid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // Files under /proc report size 0, so read to the end rather than test atEnd().
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith(voluntaryKey))
            return line.mid(sizeof voluntaryKey - 1).trimmed().toLongLong();
    }
    return -1;
}

} // namespace

std::set<int> threadIds() {
    std::set<int> tids;
    const QStringList names = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs);
    for (const QString& name : names) {
        bool isNumber = false;
        const int tid = name.toInt(&isNumber);
        if (isNumber)
            tids.insert(tid);
    }
    return tids;
}

std::map<int, long long> voluntary(const std::set<int>& tids) {
    std::map<int, long long> counts;
    for (const int tid : tids) {
        const long long count = readVoluntary(tid);
        if (count >= 0)
            counts[tid] = count;
    }
    return counts;
}

} // namespace ThreadSwitches
