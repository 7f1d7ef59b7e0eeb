// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessHint.h"

#include "MainTr.h"
#include "TipsBar.h"

AccessHint::AccessHint(TipsBar* tips, QObject* parent) : QObject(parent), tips(tips) {}

QString AccessHint::text() {
    return trMain(
        "无权打开电表：请安装 udev 规则 70-usb-meter.rules（见 README），然后重新插拔电表。");
}

void AccessHint::show() {
    tips->raise(TipsBar::Cause::NoAccess, &AccessHint::text);
}

void AccessHint::clear() {
    tips->end(TipsBar::Cause::NoAccess);
}
