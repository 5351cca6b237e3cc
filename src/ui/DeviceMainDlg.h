#pragma once
// The main window: frame, tab strip and pages, the tray icon, the worker
// that talks to the mouse, and the window's own messages. It lives from
// start-up to the end of the process and runs as the modal loop of the
// process entry.
//
// Threads: the window and everything it shows live on the GUI thread. The
// worker reaches it only through a QueuedDeviceView, which queues every
// call to the GUI thread; the hot-plug events of the HID backend are queued
// the same way.

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/DeviceSync.h"
#include "app/LowBatteryRule.h"
#include "app/DeviceView.h"
#include "catalogue/DeviceCatalogue.h"
#include "prefs/AppPreferences.h"
#include "prefs/RestoreDefaultsFlow.h"
#include "skinui/MDialog.h"
#include "transport/HidBackend.h"

namespace korvex {

class AuxDialogs;
class ButtonsPage;
class CatalogueModels;
class DesktopNotifier;
class DevicePage;
class DeviceWorker;
class HidDeviceManager;
class HomePage;
class InstanceChannel;
class LightingPage;
class MainFrame;
class MainNavigation;
class MacrosPage;
class MainTrayIcon;
class ModelSwitch;
class PerformancePage;
class QueuedDeviceView;
class SettingsPage;
class SettingsStore;
class UpdateTasks;

// What the window is built from. The catalogue has read config.xml's
// languages and caption (LoadApplicationConfig); the window reads the
// device list itself at initialisation.
struct MainDlgSetup {
  DeviceCatalogue catalogue;
  std::string configPath;
  std::string appFolder;
  std::string dataFolder;
  HidDeviceManager* hid = nullptr;      // default: HidDeviceManager::Instance()
  SettingsStore* store = nullptr;       // default: SettingsStore::Instance()
  // The local socket a second start asks to bring the window forward; empty:
  // none.
  std::string instanceSocket;
  // The update subsystem's work for tasks 23, 24, 26 and 27.
  UpdateHook update;
  // Without a hook of its own: whether the window checks and installs
  // updates from the configured servers (the program does; tests leave it
  // off so that nothing goes to the network).
  bool onlineUpdates = false;
  // Ends the process at once (the immediate exit paths); the default stops
  // the worker and the store and ends with exit code 0.
  std::function<void()> exitProcess;
  // Whether the desktop offers a tray; unset: ask Qt.
  std::optional<bool> trayAvailable;
  // Opens a web address (settings page links); unset: the desktop's handler.
  std::function<bool(const std::string&)> openLink;
  // Shows the low-battery notice (title, text); unset: the desktop's
  // notification service, else the tray's message.
  std::function<void(const std::string&, const std::string&)> notify;
};

class DeviceMainDlg : public DUI::MDialog, public DeviceView, private RestoreDefaultsHost {
  Q_OBJECT

 public:
  static constexpr int kWidth = 1400;
  static constexpr int kHeight = 788;
  // Below this the frame's texts would overlap and the device list would
  // no longer hold four mice in a row.
  static constexpr int kMinWidth = 1280;
  static constexpr int kMinHeight = 720;

  explicit DeviceMainDlg(MainDlgSetup setup);
  ~DeviceMainDlg() override;

  // Creates the window titled with the caption at 1400 x 788 (or the work
  // area, when smaller), centred on the screen; ShowModal then runs the
  // initialisation and the window.
  bool CreateMain(const QString& caption);

  // The language list's choice: current, stored, the library font set, then
  // the texts applied everywhere.
  void SetLanguage(int lcid);
  void ApplyTexts();

  // The show flag of a start with "-hide": hidden in the tray, or minimised
  // when the desktop has no tray to bring it back from.
  int HiddenStartFlag() const;

  // Ends the program at once: the tray icon goes first, then the process.
  void ExitNow();
  // A second start asked for the window: out of the tray and to the front.
  void BringForward();

  // --- DeviceView, on the GUI thread (the worker calls the queued view).
  void ShowBattery(int level, int state) override;
  void SetAllDeviceState(int state) override;
  void SetDeviceState(int type, int mode, int online) override;
  void SetDeviceBattery(int type, int state, int level) override;
  void SetDeviceVersion(int type, int release) override;
  void SelectDevice(int type) override;
  void ShowConnectionText(int textId) override;
  void ShowDevicePages() override;
  void ShowPagesForOnlineDevices() override;
  void ClosePopups() override;
  void ShowModel() override;
  void ShowProfileName(const std::string& name) override;
  void ShowSensorLimits(int sensorCode, const SensorLimits& limits, int rateChoiceCount) override;
  void ShowDpiCount(int count) override;
  void ShowDpiStage(int stage, int dpi, int sliderPosition) override;
  void ShowDpiTip(int dpi) override;
  void SelectReportRate(int code) override;
  void ShowVersionRow(int row, const std::string& text, const std::string& status) override;
  void EnableFirmwareButtons(bool mouse, bool receiver) override;
  void RefreshButtonPage() override;
  void RefreshMacroList() override;
  void RefreshPerformancePage() override;
  void RefreshDpiControls() override;
  void RefreshLightingPage() override;
  void CloseWaitDialog() override;
  void CloseUpdateTipDialog() override;
  void PostUpdateAvailable(int kind, const std::string& version) override;
  void ShowNoNewerVersion(int kind) override;
  void ShowUpdateProgress(const std::string& text, int percent) override;
  void ShowUpdateFailed() override;
  void EndProgram() override;

  // What tests and the benchmark look at.
  MainFrame& Frame() { return *frame_; }
  MainNavigation& Navigation() { return *navigation_; }
  HomePage& Home() { return *home_; }
  DevicePage& Device() { return *device_; }
  PerformancePage& Performance() { return *performance_; }
  ButtonsPage* Buttons() { return buttons_; }
  SettingsPage* Settings() { return settingsPage_.get(); }
  MacrosPage* Macros() { return macros_; }
  LightingPage* Lighting() { return lighting_; }
  MainTrayIcon& Tray() { return *tray_; }
  AuxDialogs* Dialogs() { return aux_.get(); }
  DeviceWorker& Worker() { return *worker_; }
  AppPreferences& Preferences() { return prefs_; }
  int SelectedDevice() const { return selectedDevice_; }
  bool TrayAvailable() const { return trayAvailable_; }
  // The mouse is connected (by cable, or online behind the receiver).
  bool DeviceOnline() const;

 protected:
  void OnCreate() override;
  bool OnInitDialog() override;
  bool OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) override;
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override;
  void OnSize(int width, int height) override;
  void OnDestroy() override;
  void changeEvent(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  // RestoreDefaultsHost.
  int AskUser(int titleText, int messageText, int buttons) override;
  void ResetDatabaseAndMouse() override;
  void ShowWaitWindow() override;

  void BuildPages();
  void BuildSettingsPage();
  void BuildPerformancePage();
  void BuildButtonsPage();
  void BuildMacrosPage();
  void BuildLightingPage();
  void AddTrayIcon();
  void ShowLowBatteryNotice(int type, int level);
  void StartDeviceWork();
  void OnTrayCallback(intptr_t mouseMessage);
  void OnCommand(int command);
  void OnCloseButton();
  void OnDeviceChange(const HidDeviceEvent& event);
  void OnDeviceChosen(int type);
  void OnProfileButton();
  void OnProfileAction(int action, ProfileId profile);
  void ImportProfileFile();
  void ExportProfileFile(ProfileId profile);
  void OnRestoreDefaults();
  void OnFirmwareCheck();
  void OnMouseSettings();
  void OnUpdateAvailable(int kind);
  void ShowSaved();
  // A one-button message box of two interface texts.
  void ShowMessageText(int titleText, int messageText);
  void QueueTask(int code);
  void MakeUpdateTasks();
  void Teardown();
  static void DefaultExit(DeviceWorker* worker, SettingsStore* store);

  MainDlgSetup setup_;
  HidDeviceManager& hid_;
  SettingsStore& store_;
  AppPreferences prefs_;
  bool trayAvailable_ = false;

  std::unique_ptr<ModelSwitch> modelSwitch_;
  std::unique_ptr<CatalogueModels> models_;
  std::unique_ptr<QueuedDeviceView> queuedView_;
  std::shared_ptr<UpdateTasks> updates_;
  std::unique_ptr<DeviceWorker> worker_;

  std::unique_ptr<MainFrame> frame_;
  std::unique_ptr<MainNavigation> navigation_;
  std::unique_ptr<MainTrayIcon> tray_;
  std::unique_ptr<InstanceChannel> instance_;
  std::unique_ptr<AuxDialogs> aux_;
  HomePage* home_ = nullptr;
  DevicePage* device_ = nullptr;
  PerformancePage* performance_ = nullptr;
  ButtonsPage* buttons_ = nullptr;
  MacrosPage* macros_ = nullptr;
  LightingPage* lighting_ = nullptr;
  std::unique_ptr<SettingsPage> settingsPage_;

  int selectedDevice_ = 0;
  // The last battery reading (level, state) of each device type.
  std::map<int, std::pair<int, int>> batteries_;
  LowBatteryRule batteryRule_;
  DesktopNotifier* notifier_ = nullptr;
  std::string profileName_;
  std::string newerSoftware_;
  std::string newerFirmware_;
  bool tornDown_ = false;
  bool shownOnce_ = false;
};

}  // namespace korvex
