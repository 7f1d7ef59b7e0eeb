// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainDialog.h"

#include "AccessHint.h"
#include "Acquisition.h"
#include "CapacityPage.h"
#include "ChartFiles.h"
#include "ChartPage.h"
#include "CommandFrame.h"
#include "CurveStyleTable.h"
#include "Dashboard.h"
#include "DashboardHeaderLayout.h"
#include "DeviceList.h"
#include "Glyphs.h"
#include "IconHelper.h"
#include "JournalLocation.h"
#include "LanguageSwitch.h"
#include "MainTr.h"
#include "MeterIdentity.h"
#include "MeterReading.h"
#include "Navigator.h"
#include "PlainTextLog.h"
#include "RangeMeasure.h"
#include "RecoveryOffer.h"
#include "ReportInput.h"
#include "ReportOutput.h"
#include "RunJournal.h"
#include "SettingsPages.h"
#include "TipsBar.h"
#include "USBThread.h"
#include "UpgradePage.h"
#include "customcoordinates.h"
#include "ui_MainDialog.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace {

constexpr int timerIntervalMs = 1000;
constexpr quint8 pollNormal = 1;
constexpr quint8 pollUpgrade = 2;
constexpr int splitterHandleWidth = 8;

// Behind each of Glyph::toolButtons.
const char* const toolButtonBackgrounds[] = {"#1570A5", "#16A085", "#C0392B",
                                             "#047058", "#9B59BB", "#34495E"};

QString toolButtonStyle(const char* background) {
    return QStringLiteral("QToolButton{font:%1px;background:%2;}")
               .arg(15)
               .arg(QLatin1String(background)) +
           QStringLiteral("QToolButton{border:none;border-radius:8px;padding:5px;}") +
           QStringLiteral("QToolButton:pressed{background:%1;}").arg(QStringLiteral("#737A97")) +
           QStringLiteral("QToolButton:hover{ border-style: outset; border: 2px groove green;}");
}

} // namespace

MainDialog::MainDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::MainDialog), readTimer(new QTimer(this)),
      sampleTimer(new QTimer(this)), headerLayout(std::make_unique<DashboardHeaderLayout>()) {
    setAttribute(Qt::WA_MouseTracking);
    ui->setupUi(this);
    initForm();
    decorateDashboard();
    setUpDeviceListHeader();
    setUpHeaderLayout();

    readTimer->setObjectName(QStringLiteral("readTimer"));
    readTimer->setInterval(timerIntervalMs);
    readTimer->start();
    connect(readTimer, &QTimer::timeout, this, &MainDialog::readTick);

    setUpToolButtons();
    IconHelper::Instance()->setIcon(ui->disp_btnReturn, QChar(Glyph::pageReturn),
                                    Glyph::returnSize);

    chartPage = new ChartPage(ui, this, this);
    connect(chartPage->axisPanel(), &customcoordinates::RangChang_signal, this,
            &MainDialog::RangChang_slot);
    tips = new TipsBar(ui->label_left_tips, this);
    acquisitionState = new Acquisition(chartPage->panel(), this);
    chartFiles = new ChartFiles(this, acquisitionState, tips, this);
    connect(chartPage->rangeMeasure(), &RangeMeasure::exportRequested, chartFiles,
            &ChartFiles::exportStretch);
    runJournal = new RunJournal(acquisitionState, defaultJournalFolder(), tips, this);
    runJournal->follow(chartFiles);
    dashboard = new Dashboard(ui, this);
    QElapsedTimer monotonic;
    monotonic.start();
    capacityPage = new CapacityPage(
        ui, [monotonic] { return monotonic.elapsed(); }, this);
    connect(acquisitionState, &Acquisition::runStateChanged, this, &MainDialog::showRunState);
    const auto frameSink = [this](const QByteArray& frame) { sendFrame(frame); };
    settingsPages = new SettingsPages(ui, frameSink, this);
    deviceList = new DeviceList(ui->device_treeWidget, tips, this);
    accessHint = new AccessHint(tips, this);
    navigator = new Navigator(
        ui, [this](quint8 code) { sendCommand(code); }, [this] { return deviceList->modelWord(); },
        this);

    startLink();
    setUpUpgrade();

    sampleTimer->setObjectName(QStringLiteral("sampleTimer"));
    sampleTimer->setInterval(timerIntervalMs);
    sampleTimer->start();
    connect(sampleTimer, &QTimer::timeout, this, &MainDialog::sampleTick);
    disarmDefaultButtons(); // last: the pages above add buttons of their own
}

MainDialog::~MainDialog() {
    if (usbThread)
        usbThread->stopAndWait();
    delete deviceList; // closes the dialog's handle before the link thread releases hidapi
    deviceList = nullptr;
    delete ui;
}

void MainDialog::initForm() {
    language = new LanguageSwitch(this);
    language->applyStored();
    ui->retranslateUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);
    restoreGlyphs();
    ui->widgetTitle->installEventFilter(this);
    ui->widgetTitle->setProperty("form", "title");
}

void MainDialog::decorateDashboard() {
    const QPixmap menu = QPixmap(QStringLiteral(":/sys/rs/rs/menu.png"));
    if (!menu.isNull())
        ui->disp_btn_menu->setIcon(
            QIcon(menu.scaled(200, 200, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    ui->disp_Btn_Run->setIcon(QIcon(QPixmap(QStringLiteral(":/sys/rs/rs/run.png"))));
    ui->disp_label_NTC->hide();
    ui->disp_label_NTC_VALUE->hide();
    ui->disp_label_NTC_DEGREE->hide();
    ui->label_main_icon->setStyleSheet(
        QStringLiteral("border-image: url(:/sys/rs/rs/icon01_130x20.png);"));
    ui->disp_labDevTiT->setTextFormat(Qt::PlainText);
    ui->upgrade_label_devvalue->setTextFormat(Qt::PlainText);
}

void MainDialog::setUpDeviceListHeader() {
    ui->device_treeWidget->setHeaderLabels({trMain("设备列表")});
    ui->splitter->setHandleWidth(splitterHandleWidth);
    auto* icon = new QLabel();
    icon->setFixedSize(20, 20);
    icon->setStyleSheet(QStringLiteral("border-image: url(:/sys/rs/rs/list_20x20.png);"));
    icon->setAlignment(Qt::AlignCenter);
    QHeaderView* header = ui->device_treeWidget->header();
    icon->setParent(header);
    icon->move(header->sectionPosition(0) + 60, 2);
}

void MainDialog::setUpToolButtons() {
    IconHelper::Instance()->setIcon(ui->btnReturn, QChar(Glyph::homeReturn), Glyph::returnSize);
    toolButtons = {ui->tbtn1, ui->tbtn2, ui->tbtn3, ui->tbtn4, ui->tbtn5, ui->tbtn6};
    const QStringList texts = Navigator::toolButtonTexts();
    for (int i = 0; i < toolButtons.size(); ++i) {
        QToolButton* button = toolButtons[i];
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(Glyph::toolIconWidth, Glyph::toolIconHeight));
        button->setIcon(QIcon(IconHelper::Instance()->getPixmap(
            QStringLiteral("#FEFEFE"), QChar(Glyph::toolButtons[i]), Glyph::toolButtonSize,
            Glyph::toolIconWidth, Glyph::toolIconHeight)));
        button->setText(texts[i]);
        button->setStyleSheet(toolButtonStyle(toolButtonBackgrounds[i]));
        connect(button, &QToolButton::clicked, this, &MainDialog::buttonClicked);
    }
}

// Push buttons of a dialog are auto-default: after a click, Enter anywhere in the window
// would press the button again and resend its command.
void MainDialog::disarmDefaultButtons() {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void MainDialog::startLink() {
    usbThread = new USBThread(this);
    connect(usbThread, &USBThread::usb_connect, this, &MainDialog::usbconnect);
    connect(usbThread, &USBThread::usb_disconnect, this, &MainDialog::usbdisconnect);
    connect(usbThread, &USBThread::usb_access_denied, accessHint, &AccessHint::show);
    usbThread->setIds(MeterIdentity::vendorId, MeterIdentity::productId);
    usbThread->openDevice();
    usbThread->start();
}

hid_device* MainDialog::meterHandle() const {
    return deviceList->handle();
}

// The link holds a meter that the dialog could not open (busy, a permission race right
// after plug-in): try again on every tick while the link stays up.
void MainDialog::retryMeterHandle() {
    if (deviceList->openFailed() && usbThread->isClosed() == 0 &&
        deviceList->open(usbThread->meterPath()))
        acquisitionState->meterConnected();
}

void MainDialog::readTick() {
    hid_device* device = meterHandle();
    if (!device) {
        retryMeterHandle();
        return;
    }
    bool measured = false;
    const int read = drainReports(device, [this, &measured](const unsigned char* report) {
        decodeReport(report, reportSize);
        if (isMeasurementReport(report, reportSize)) {
            measured = true;
            acquisitionState->readingArrived();
        } else if (!isSettingsReport(report, reportSize)) {
            emit reportRejected();
        }
    });
    if (read == 0)
        return;
    const MeterReading& reading = currentReading();
    dashboard->showCaption(deviceList->modelWord(), deviceList->serialPrefix());
    dashboard->showReading(reading);
    // Boot loader replies and settings reports carry no new current to integrate.
    if (measured)
        capacityPage->addReading(reading);
    if (settingsReportPending) {
        settingsReportPending = false;
        settingsPages->applyReportedSettings(reading, deviceList->modelWord());
    }
    settingsPages->showMinCurrent(reading.minCurrent);
}

void MainDialog::sampleTick() {
    if (pollMode == pollUpgrade) {
        sendCommand(Command::upgradeMode);
        pollMode = pollNormal;
    } else if (upgradePage->upgrade().upgrading()) {
        return; // the boot loader answers no polls: the upgrade's time is a gap in the record
    } else {
        sendFrame(pollFrame());
    }
    acquisitionState->recordSample(QDateTime::currentDateTime(), currentReading());
}

void MainDialog::showRecovered(RecoveryOutcome&& recovery) {
    if (recovery.opened)
        runJournal->showRecovered(std::move(*recovery.opened));
    if (recovery.newerVersionKept)
        runJournal->noteNewerVersionKept();
}

void MainDialog::requestUpgradeMode() {
    pollMode = pollUpgrade;
    sampleTick();
}

void MainDialog::sendCommand(quint8 code) {
    sendFrame(commandFrame(code));
}

void MainDialog::sendFrame(const QByteArray& frame) {
    sendReport(meterHandle(), frame);
}

void MainDialog::reject() {
    if (usbThread)
        usbThread->stopAndWait();
    QDialog::reject();
}

void MainDialog::usbconnect(const QString& dev_str) {
    accessHint->clear();
    ui->upgrade_label_devvalue->setText(dev_str);
    if (ui->disp_stackedWidget->currentIndex() == Navigator::Upgrade) {
        appendLogLine(ui->upgrade_text_log, trMain("设备已连接"));
        appendLogLine(ui->upgrade_text_log, trMain("设备名称:") + dev_str);
        showConnectionOnUpgradePage(true);
    }
    if (deviceList->open(usbThread->meterPath()))
        acquisitionState->meterConnected();
    capacityPage->meterBack();
}

void MainDialog::usbdisconnect() {
    if (ui->disp_stackedWidget->currentIndex() == Navigator::Upgrade) {
        appendLogLine(ui->upgrade_text_log, trMain("设备已断开"));
        showConnectionOnUpgradePage(false);
    }
    deviceList->markDisconnected();
    acquisitionState->meterLost();
    capacityPage->meterAway(CapacityPage::Absence::Unplugged);
}

void MainDialog::showConnectionOnUpgradePage(bool connected) {
    upgradePage->showConnection(connected);
}

void MainDialog::showRunState(Acquisition::RunState state) {
    dashboard->showRunState(state);
    if (state == Acquisition::RunState::Paused)
        tips->raise(TipsBar::Cause::MeterAwaited, &Dashboard::awaitingMeterText);
    else
        tips->end(TipsBar::Cause::MeterAwaited);
}

void MainDialog::on_disp_Btn_Run_clicked() {
    acquisitionState->toggleByUser();
}

void MainDialog::on_disp_btn_RangCustom_clicked() {
    chartPage->axisPanel()->toggleOver(this);
}

void MainDialog::onAct3Clicked_Slot() {
    chartPage->styleTable()->open();
    if (QWidget* table = chartPage->styleTable()->shownTable())
        table->raise(); // over the range panel, opened last
}

customcoordinates* MainDialog::customAxisPanel() const {
    return chartPage->axisPanel();
}

CurveStyleTable* MainDialog::curveStyleTable() const {
    return chartPage->styleTable();
}

const CurveStyles& MainDialog::curveStyleSettings() const {
    return *chartPage->curveStyles();
}

void MainDialog::buttonClicked() {
    if (const auto* button = qobject_cast<const QAbstractButton*>(sender()))
        navigator->openFromToolButton(button);
}

void MainDialog::on_disp_btnReturn_clicked() {
    navigator->returnHome();
}
void MainDialog::on_upgrade_btnReturn_clicked() {
    navigator->returnHome();
}
void MainDialog::on_settings_btnReturn_clicked() {
    navigator->returnHome();
}
void MainDialog::on_settings_btnReturn_q7_clicked() {
    navigator->returnHome();
}
void MainDialog::on_four_btnReturn_clicked() {
    navigator->returnHome();
}
void MainDialog::on_five_btnReturn_clicked() {
    navigator->returnHome();
}
void MainDialog::on_six_btnReturn_clicked() {
    navigator->returnHome();
}
void MainDialog::on_disp_btnUpgrade_clicked() {
    navigator->openUpgradeShortcut();
}
void MainDialog::on_disp_btnSysSet_clicked() {
    navigator->openSettingsShortcut();
}
