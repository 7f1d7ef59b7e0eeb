// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog's own window frame and language: title-bar buttons, moving, edge
// resizing, maximise by double click, the language menu and re-labelling.
#include "MainDialog.h"

#include "Acquisition.h"
#include "CapacityPage.h"
#include "ChartPage.h"
#include "Dashboard.h"
#include "DashboardHeaderLayout.h"
#include "Glyphs.h"
#include "IconHelper.h"
#include "LanguageSwitch.h"
#include "MainTr.h"
#include "Navigator.h"
#include "TipsBar.h"
#include "USBThread.h"
#include "WindowChrome.h"
#include "customcoordinates.h"
#include "ui_MainDialog.h"

#include <QDesktopWidget>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

namespace {

QRect globalFrame(const QWidget* w) {
    return QRect(w->mapToGlobal(QPoint(0, 0)),
                 w->mapToGlobal(QPoint(w->width() - 1, w->height() - 1)));
}

} // namespace

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->widgetTitle && event->type() == QEvent::MouseButtonDblClick) {
        on_btnMenu_Max_clicked();
        return true;
    }
    if (watched == ui->page_disp && event->type() == QEvent::Resize) {
        headerLayout->pageResized(ui->widget, ui->page_disp->width(), ui->page_disp->height());
        chartPage->axisPanel()->followWindow(this);
    }
    return QObject::eventFilter(watched, event);
}

// A stray Escape would end the program and an unexported recording with it, and Enter
// would repeat whatever was clicked last: neither does anything on this window.
void MainDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void MainDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftButtonDown = true;
        if (edgeRegion == WindowChrome::Inside)
            dragOffset = event->globalPos() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void MainDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint g = event->globalPos();
    if (!leftButtonDown) {
        edgeRegion = WindowChrome::edgeRegion(globalFrame(this), g);
        setCursor(WindowChrome::cursorFor(edgeRegion));
    } else if (edgeRegion == WindowChrome::Inside) {
        move(g - dragOffset);
        event->accept();
    } else {
        setGeometry(WindowChrome::resizedFrame(edgeRegion, globalFrame(this), g, minimumSize()));
    }
    QDialog::mouseMoveEvent(event);
}

void MainDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftButtonDown = false;
        if (edgeRegion != WindowChrome::Inside) {
            releaseMouse();
            setCursor(Qt::ArrowCursor);
        }
    }
    QDialog::mouseReleaseEvent(event);
}

// The dashboard page is laid out by hand whenever it gets a new size, whatever resized it
// (the window, the splitter, a page shown after the window changed).
void MainDialog::setUpHeaderLayout() {
    using Anchor = DashboardHeaderLayout::Anchor;
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->disp_btnSysSet, ui->disp_label_tip_3, ui->disp_btnUpgrade, ui->disp_label_tip_2,
             ui->disp_label_ImageDir, ui->disp_Btn_Run, ui->disp_btn_dp_dm, ui->disp_btn_cc1_cc2,
             ui->disp_btn_temp, ui->disp_btn_RangCustom, ui->disp_btn_menu})
        headerLayout->follow(w, Anchor::RightEdge);
    headerLayout->follow(ui->disp_labTitle, Anchor::Middle);
    headerLayout->follow(ui->disp_btn_title, Anchor::Middle);
    ui->page_disp->installEventFilter(this);
}

void MainDialog::on_btnMenu_Min_clicked() {
    showMinimized();
}

void MainDialog::on_btnMenu_Max_clicked() {
    static WindowChrome::MaximiseToggle toggle;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : geometry();
    setGeometry(toggle.toggle(geometry(), available));
}

void MainDialog::on_btnMenu_Close_clicked() {
    close();
}

void MainDialog::on_btnMenu_Menu_clicked() {
    QMenu menu(this);
    QPixmap flag(QStringLiteral(":/sys/rs/rs/cn_en.png"));
    if (!flag.isNull())
        flag = flag.scaled(100, 100, Qt::IgnoreAspectRatio);
    QAction* chinese = menu.addAction(QIcon(flag), trMain("简体中文"));
    QAction* english = menu.addAction(trMain("English"));
    connect(chinese, &QAction::triggered, this, &MainDialog::onS_Act1Clicked_Slot);
    connect(english, &QAction::triggered, this, &MainDialog::onS_Act2Clicked_Slot);
    menu.exec(QCursor::pos());
}

void MainDialog::onS_Act1Clicked_Slot() {
    if (language->switchToChinese())
        relabel();
}

void MainDialog::onS_Act2Clicked_Slot() {
    if (language->switchToEnglish())
        relabel();
}

void MainDialog::relabel() {
    ui->retranslateUi(this);
    const QStringList texts = Navigator::toolButtonTexts();
    for (int i = 0; i < toolButtons.size(); ++i) {
        toolButtons[i]->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        toolButtons[i]->setIconSize(QSize(Glyph::toolIconWidth, Glyph::toolIconHeight));
        toolButtons[i]->setText(texts[i]);
    }
    ui->device_treeWidget->setHeaderLabels({trMain("设备列表")});
    restoreGlyphs();
    tips->relabel();
    // The form's tool tip of the Run button would otherwise hide whether a run is going.
    dashboard->showRunState(acquisitionState->runState());
    dashboard->relabel();
    capacityPage->relabel();
}

// retranslateUi puts the designer texts back over the glyphs.
void MainDialog::restoreGlyphs() {
    IconHelper* icons = IconHelper::Instance();
    icons->setIcon(ui->btnReturn, QChar(Glyph::homeReturn), Glyph::returnSize);
    for (QAbstractButton* back : {static_cast<QAbstractButton*>(ui->disp_btnReturn),
                                  static_cast<QAbstractButton*>(ui->settings_btnReturn),
                                  static_cast<QAbstractButton*>(ui->settings_btnReturn_q7),
                                  static_cast<QAbstractButton*>(ui->four_btnReturn),
                                  static_cast<QAbstractButton*>(ui->five_btnReturn),
                                  static_cast<QAbstractButton*>(ui->six_btnReturn),
                                  static_cast<QAbstractButton*>(ui->upgrade_btnReturn)})
        icons->setIcon(back, QChar(Glyph::pageReturn), Glyph::returnSize);
    icons->setIcon(ui->title_icon_label, QChar(Glyph::titleIcon), Glyph::titleIconSize);
    icons->setIcon(ui->btnMenu_Min, QChar(Glyph::minimise), Glyph::titleButtonSize);
    icons->setIcon(ui->btnMenu_Max, QChar(Glyph::maximise), Glyph::titleButtonSize);
    icons->setIcon(ui->btnMenu_Close, QChar(Glyph::close), Glyph::titleButtonSize);
    icons->setIcon(ui->btnMenu_Menu, QChar(Glyph::menu), Glyph::titleButtonSize);
}
