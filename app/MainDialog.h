#pragma once

#include "WindowChrome.h"

#include <QDialog>
#include <QList>
#include <QPoint>

class Acquisition;
class CapacityPage;
class ChartPanel;
class Dashboard;
class DeviceList;
class LanguageSwitch;
class Navigator;
class RunJournal;
class SampleStore;
class QTimer;
class QToolButton;
class SettingsPages;
class USBThread;

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

    // Every close road (title bar, window manager, Escape) ends here: the link thread is
    // stopped and joined before the window goes.
    void reject() override;

    // The next sample tick sends the enter-upgrade-mode frame instead of the poll; the
    // tick runs at once.
    void requestUpgradeMode();

    // A recording made earlier, shown stopped in place of the current one.
    void showRecording(SampleStore&& recording);

    hid_device* meterHandle() const;
    USBThread* linkThread() const { return usbThread; }
    const Acquisition* acquisition() const { return acquisitionState; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

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
    void startLink();
    void readTick();
    void sampleTick();
    void sendCommand(quint8 code);
    void sendFrame(const QByteArray& frame);
    void relabel();
    void restoreGlyphs();
    void showConnectionOnUpgradePage(bool connected);

    Ui::MainDialog* ui;
    quint8 pollMode = 1;
    QTimer* readTimer;
    QTimer* sampleTimer;
    QList<QToolButton*> toolButtons;
    LanguageSwitch* language = nullptr;
    ChartPanel* chartPanel = nullptr;
    Acquisition* acquisitionState = nullptr;
    RunJournal* runJournal = nullptr;
    Dashboard* dashboard = nullptr;
    CapacityPage* capacityPage = nullptr;
    SettingsPages* settingsPages = nullptr;
    Navigator* navigator = nullptr;
    DeviceList* deviceList = nullptr;
    USBThread* usbThread = nullptr;

    bool leftButtonDown = false;
    QPoint dragOffset;
    WindowChrome::Region edgeRegion = WindowChrome::Inside;
};
