// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtCatalogue.h"

#include "AppIcon.h"
#include "Backgrounds.h"
#include "MenuIcons.h"
#include "StatusPictures.h"
#include "StyleIcons.h"
#include "ThemeColours.h"
#include "TitleArt.h"

#include <QHash>

namespace {
QHash<QString, ArtDrawing> buildCatalogue() {
    return {
        // Style sheet indicators (:/qss/psblack/)
        {"add_top.png", [] { return smallArrow(Direction::Up); }},
        {"add_bottom.png", [] { return smallArrow(Direction::Down); }},
        {"add_left.png", [] { return smallArrow(Direction::Left); }},
        {"add_right.png", [] { return smallArrow(Direction::Right); }},
        {"branch_open.png", [] { return branchIndicator(true); }},
        {"branch_close.png", [] { return branchIndicator(false); }},
        {"calendar_prevmonth.png", [] { return calendarArrow(Direction::Left); }},
        {"calendar_nextmonth.png", [] { return calendarArrow(Direction::Right); }},
        {"checkbox_checked.png", [] { return checkBoxIndicator(Qt::Checked, true); }},
        {"checkbox_checked_disable.png", [] { return checkBoxIndicator(Qt::Checked, false); }},
        {"checkbox_parcial.png", [] { return checkBoxIndicator(Qt::PartiallyChecked, true); }},
        {"checkbox_parcial_disable.png",
         [] { return checkBoxIndicator(Qt::PartiallyChecked, false); }},
        {"checkbox_unchecked.png", [] { return checkBoxIndicator(Qt::Unchecked, true); }},
        {"checkbox_unchecked_disable.png", [] { return checkBoxIndicator(Qt::Unchecked, false); }},
        {"radiobutton_checked.png", [] { return radioIndicator(true, true); }},
        {"radiobutton_checked_disable.png", [] { return radioIndicator(true, false); }},
        {"radiobutton_unchecked.png", [] { return radioIndicator(false, true); }},
        {"radiobutton_unchecked_disable.png", [] { return radioIndicator(false, false); }},
        // Application pictures (:/sys/rs/rs/)
        {"AccuGrpDisp.png", accumulateIcon},
        {"ExportData.png", exportDataIcon},
        {"ExportImage.png", exportImageIcon},
        {"MoreSettings.png", curveSettingsIcon},
        {"OpenData.png", openDataIcon},
        {"ScrollDisp.png", scrollIcon},
        {"SysSet.png", systemSettingsIcon},
        {"Upgrade.png", upgradeIcon},
        {"back.png", windowPanel},
        {"main.jpg", dashboardBackground},
        {"cn_en.png", languageIcon},
        {"up.png", [] { return currentDirectionArrow(true); }},
        {"down.png", [] { return currentDirectionArrow(false); }},
        {"run.png", runPicture},
        {"pause.png", pausePicture},
        {"usb_connect.png", [] { return usbPicture(true); }},
        {"usb_disconnect.png", [] { return usbPicture(false); }},
        {"download.png", downloadPicture},
        {"folder.ico", folderIcon},
        {"icon_130x20.png", [] { return logoStrip(QColor(theme::text)); }},
        {"icon01_130x20.png", [] { return logoStrip(QColor(theme::accent)); }},
        {"icon02_130x20.png", [] { return logoStrip(QColor(theme::info)); }},
        {"icon03_130x20.png", [] { return logoStrip(QColor(theme::warm)); }},
        {"list_20x20.png", listIcon},
        {"menu.png", menuIcon},
    };
}
} // namespace

ArtDrawing findArt(const QString& fileName) {
    static const QHash<QString, ArtDrawing> catalogue = buildCatalogue();
    if (const int pixels = appIconPixels(fileName))
        return [pixels] { return appIcon(pixels); };
    return catalogue.value(fileName);
}
