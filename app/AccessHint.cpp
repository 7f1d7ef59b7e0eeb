#include "AccessHint.h"

#include "MainTr.h"

#include <QLabel>

AccessHint::AccessHint(QLabel* tips, QObject* parent) : QObject(parent), tips(tips) {}

QString AccessHint::text() {
    return trMain(
        "无权打开电表：请安装 udev 规则 70-usb-meter.rules（见 README），然后重新插拔电表。");
}

void AccessHint::show() {
    if (!shown)
        tipsText = tips->text();
    shown = true;
    tips->setText(text());
}

void AccessHint::clear() {
    if (!shown)
        return;
    shown = false;
    tips->setText(tipsText);
}

void AccessHint::retranslate() {
    if (!shown)
        return;
    tipsText = tips->text();
    tips->setText(text());
}
