// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemReason.h"

#include "MainTr.h"

#include <cerrno>
#include <cstring>

namespace {

struct KnownReason {
    int code;
    const char* text;
};

// Chinese source texts; the English catalogue gives the system's own words back.
const KnownReason knownReasons[] = {
    {ENOENT, QT_TRANSLATE_NOOP("MainDialog", "没有那个文件或目录")},
    {EACCES, QT_TRANSLATE_NOOP("MainDialog", "权限不够")},
    {EPERM, QT_TRANSLATE_NOOP("MainDialog", "不允许的操作")},
    {ENOSPC, QT_TRANSLATE_NOOP("MainDialog", "设备上没有空间")},
    {EROFS, QT_TRANSLATE_NOOP("MainDialog", "只读文件系统")},
    {EISDIR, QT_TRANSLATE_NOOP("MainDialog", "是一个目录")},
    {ENOTDIR, QT_TRANSLATE_NOOP("MainDialog", "不是目录")},
    {EBUSY, QT_TRANSLATE_NOOP("MainDialog", "设备或资源忙")},
    {EIO, QT_TRANSLATE_NOOP("MainDialog", "输入/输出错误")},
    {EFBIG, QT_TRANSLATE_NOOP("MainDialog", "文件过大")},
    {EDQUOT, QT_TRANSLATE_NOOP("MainDialog", "超出磁盘限额")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("MainDialog", "文件名过长")},
};

} // namespace

QString SystemReason::translated(const QString& systemText) {
    for (const KnownReason& known : knownReasons) {
        if (systemText == QString::fromLocal8Bit(std::strerror(known.code)))
            return trMain(known.text);
    }
    return trMain("系统错误（%1）").arg(systemText);
}
