// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Acquisition.h"
#include "CurveStyles.h"
#include "WindowChrome.h"

#include <QDialog>
#include <QList>
#include <QPoint>

#include <memory>

class AccessHint;
class CapacityPage;
class ChartPage;
class DashboardHeaderLayout;
class CurveStyleTable;
class CurveStyles;
class ChartFiles;
class Dashboard;
class DeviceList;
class LanguageSwitch;
class Navigator;
class RunJournal;
struct RecoveryOutcome;
class QTimer;
class QToolButton;
class SettingsPages;
class TipsBar;
class UpgradePage;
class USBThread;
class customcoordinates;

struct hid_device_;
typedef struct hid_device_ hid_device;

namespace Ui {
class MainDialog;
}

// The one main window. Its slots keep the names the form connects by; each hands the
// work to the page class that owns it.
class MainDialog : public QDialog {
    Q_OBJECT
public:
    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

    // Every close road (title bar, window manager) ends here: the link thread is stopped
    // and joined before the window goes.
    void reject() override;

    // The next sample tick sends the enter-upgrade-mode frame instead of the poll; the
    // tick runs at once.
    void requestUpgradeMode();

    // A recording made earlier, shown stopped in place of the current one.
    // The recording the user opened at start-up, with what else the offer found.
    void showRecovered(RecoveryOutcome&& recovery);

    hid_device* meterHandle() const;
    USBThread* linkThread() const { return usbThread; }
    const Acquisition* acquisition() const { return acquisitionState; }
    const DeviceList* devices() const { return deviceList; }
    UpgradePage* upgrade() const { return upgradePage; }
    customcoordinates* customAxisPanel() const;
    CurveStyleTable* curveStyleTable() const;
    const CurveStyles& curveStyleSettings() const;
    // Shows a recording saved earlier (the file named on the command line), stopped.
    void openRecording(const QString& fileName);

signals:
    // The meter sent a full report that is neither a measurement nor its settings.
    void reportRejected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private slots:
    void initForm();
    void buttonClicked();
    void on_disp_btnReturn_clicked();
    void on_upgrade_btnReturn_clicked();
    void on_settings_btnReturn_clicked();
    void on_settings_btnReturn_q7_clicked();
    void on_four_btnReturn_clicked();
    void on_five_btnReturn_clicked();
    void on_six_btnReturn_clicked();
    void on_disp_btnUpgrade_clicked();
    void on_disp_btnSysSet_clicked();

    void on_btnMenu_Min_clicked();
    void on_btnMenu_Max_clicked();
    void on_btnMenu_Close_clicked();
    void on_btnMenu_Menu_clicked();
    void onS_Act1Clicked_Slot();
    void onS_Act2Clicked_Slot();

    void usbconnect(const QString& dev_str);
    void usbdisconnect();

    void on_disp_Btn_Run_clicked();
    void on_disp_btn_dp_dm_clicked();
    void on_disp_btn_cc1_cc2_clicked();
    void on_disp_btn_temp_clicked();
    void RangChang_slot();
    void onAct4Clicked_Slot();
    void onAct5Clicked_Slot();

    void on_upgrade_pushButton_openfile_clicked();
    void on_upgrade_pushButton_start_clicked();
    void usbreceivedata(const QByteArray& report);
    void mytimer_timeout();
    void usbsenderror();
    void on_disp_btn_RangCustom_clicked();
    void onAct3Clicked_Slot();

    void on_disp_btn_title_clicked();
    void on_disp_btn_menu_clicked();
    void onAct1Clicked_Slot();
    void onAct2Clicked_Slot();
    void onOpenDataClicked_Slot();
    void onOpenPreviousClicked_Slot();

    void on_settings_btn_CN_clicked();
    void on_settings_btn_EN_clicked();
    void on_settings_slider_worklight_valueChanged(int position);
    void on_settings_slider_standlight_valueChanged(int position);
    void on_settings_slider_standtime_valueChanged(int position);
    void on_settings_btn_style1_clicked();
    void on_settings_btn_style2_clicked();
    void on_settings_btn_style3_clicked();
    void on_settings_btn_clearcurrent_clicked();
    void on_settings_btn_factory_reset_clicked();
    void on_settings_btn_datazero_clicked();
    void on_settings_slider_voltcali_valueChanged(int value);
    void on_settings_slider_currcali_valueChanged(int value);
    void on_settings_slider_tempcali_valueChanged(int value);
    void on_settings_btn_0A_clicked();
    void on_settings_btn_10ma_clicked();
    void on_settings_btn_20ma_clicked();
    void on_settings_btn_G_open_clicked();
    void on_settings_btn_G_close_clicked();
    void on_settings_btn_CN_q7_clicked();
    void on_settings_btn_EN_q7_clicked();
    void on_settings_slider_worklight_q7_valueChanged(int value);
    void on_settings_btn_M_open_q7_clicked();
    void on_settings_btn_M_close_q7_clicked();
    void on_settings_btn_clearcurrent_q7_clicked();
    void on_settings_btn_datazero_q7_clicked();

private:
    void decorateDashboard();
    void setUpDeviceListHeader();
    void setUpToolButtons();
    void disarmDefaultButtons();
    void startLink();
    void retryMeterHandle();
    void setUpUpgrade();
    void setUpHeaderLayout();
    void readTick();
    void sampleTick();
    void sendCommand(quint8 code);
    void sendFrame(const QByteArray& frame);
    void relabel();
    void restoreGlyphs();
    void showConnectionOnUpgradePage(bool connected);
    void showRunState(Acquisition::RunState state);

    Ui::MainDialog* ui;
    quint8 pollMode = 1;
    QTimer* readTimer;
    QTimer* sampleTimer;
    QTimer* mytimer = nullptr;
    QList<QToolButton*> toolButtons;
    LanguageSwitch* language = nullptr;
    TipsBar* tips = nullptr;
    std::unique_ptr<DashboardHeaderLayout> headerLayout;
    ChartPage* chartPage = nullptr;
    Acquisition* acquisitionState = nullptr;
    ChartFiles* chartFiles = nullptr;
    RunJournal* runJournal = nullptr;
    Dashboard* dashboard = nullptr;
    CapacityPage* capacityPage = nullptr;
    SettingsPages* settingsPages = nullptr;
    Navigator* navigator = nullptr;
    DeviceList* deviceList = nullptr;
    AccessHint* accessHint = nullptr;
    USBThread* usbThread = nullptr;
    UpgradePage* upgradePage = nullptr;

    bool leftButtonDown = false;
    QPoint dragOffset;
    WindowChrome::Region edgeRegion = WindowChrome::Inside;
};
