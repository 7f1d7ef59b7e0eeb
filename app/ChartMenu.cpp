// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartMenu.h"

#include "MainTr.h"

namespace {

constexpr int iconSide = 100;

struct EntryLook {
    const char* text;
    const char* icon; // nullptr: no icon
};
const std::array<EntryLook, ChartMenu::EntryCount> entryLooks{{
    {"导出数据(.csv)", ":/sys/rs/rs/ExportData.png"},
    {"导出图片(.png)", ":/sys/rs/rs/ExportImage.png"},
    {"曲线设置", ":/sys/rs/rs/MoreSettings.png"},
    {"累计图显", ":/sys/rs/rs/AccuGrpDisp.png"},
    {"滚动图显", ":/sys/rs/rs/ScrollDisp.png"},
    {"开发中...", nullptr},
    {"打开数据(.csv)", ":/sys/rs/rs/OpenData.png"},
    {"打开上次的记录", ":/sys/rs/rs/OpenData.png"},
}};

QIcon entryIcon(const char* path) {
    if (!path)
        return {};
    const QPixmap picture(QString::fromLatin1(path));
    if (picture.isNull())
        return {};
    return QIcon(picture.scaled(iconSide, iconSide, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace

ChartMenu::ChartMenu(QWidget* parent) : QMenu(parent) {
    for (size_t i = 0; i < actions.size(); ++i)
        actions[i] = addAction(entryIcon(entryLooks[i].icon), trMain(entryLooks[i].text));
}
