#include "ui/DeviceMainDlg.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QMetaObject>
#include <QSystemTrayIcon>
#include <cstdio>

#include "app/CatalogueModels.h"
#include "app/DeviceChangeRules.h"
#include "app/DeviceWorker.h"
#include "app/UpdateTasks.h"
#include "catalogue/ModelSwitch.h"
#include "i18n/TextFill.h"
#include "i18n/Texts.h"
#include "macros/MacroNames.h"
#include "platform/AppIdentity.h"
#include "platform/DesktopId.h"
#include "platform/Log.h"
#include "platform/PreferenceStore.h"
#include "profiles/ProfileNames.h"
#include "skinui/CIconButton.h"
#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "skinui/Manager.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"
#include "update/UpdatePaths.h"
#include "ui/UiText.h"
#include "ui/WindowMessages.h"
// AuxDialogs hands out its windows by pointer: their classes must be known.
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/SaveWaitDlg.h"
#include "ui/dialogs/UpdateTipDlg.h"
#include "ui/dialogs/WaitDlg.h"
#include "ui/dialogs/AuxDialogs.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/frame/MainNavigation.h"
#include "ui/pages/buttons/ButtonsPage.h"
#include "ui/pages/device/DevicePage.h"
#include "ui/pages/performance/PerformancePage.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/macros/MacrosPage.h"
#include "ui/pages/lighting/LightingPage.h"
#include "ui/pages/settings/SettingsPage.h"
#include "ui/shell/DesktopNotifier.h"
#include "ui/shell/InstanceChannel.h"
#include "ui/shell/LanguageFonts.h"
#include "ui/shell/MainTrayIcon.h"
#include "ui/shell/QueuedDeviceView.h"
#include "ui/shell/StartupNotices.h"

namespace korvex {

using namespace frame;

namespace {

constexpr const char* kTrayIconFile = "DeviceDriver.ico";
constexpr const char* kFontName = "Open Sans Semibold";
// The low-battery notice: its title, and its text with the model name and
// the level.
constexpr int kTextBatteryLowTitle = 900;
constexpr int kTextBatteryLowBody = 901;

HidDeviceManager& HidOf(const MainDlgSetup& s) { return s.hid ? *s.hid : HidDeviceManager::Instance(); }
SettingsStore& StoreOf(const MainDlgSetup& s) { return s.store ? *s.store : SettingsStore::Instance(); }

}  // namespace

DeviceMainDlg::DeviceMainDlg(MainDlgSetup setup)
    : setup_(std::move(setup)),
      hid_(HidOf(setup_)),
      store_(StoreOf(setup_)),
      prefs_(AppPreferences::ForCaption(Caption())) {
  trayAvailable_ = setup_.trayAvailable.value_or(QSystemTrayIcon::isSystemTrayAvailable());
  modelSwitch_ = std::make_unique<ModelSwitch>(store_, setup_.appFolder, setup_.dataFolder,
                                               [](int id) { return GetText(id); });
  models_ = std::make_unique<CatalogueModels>(setup_.catalogue, *modelSwitch_, store_, setup_.dataFolder);
  queuedView_ = std::make_unique<QueuedDeviceView>(this, *this);
  WorkerOptions options;
  options.text = [](int id) { return GetText(id); };
  if (!setup_.update && setup_.onlineUpdates) MakeUpdateTasks();
  options.update = setup_.update;
  worker_ = std::make_unique<DeviceWorker>(hid_, store_, *models_, *queuedView_, options);
  tray_ = std::make_unique<MainTrayIcon>(this);
}

DeviceMainDlg::~DeviceMainDlg() { Teardown(); }

void DeviceMainDlg::MakeUpdateTasks() {
  UpdateSettings settings;
  // Read when a task runs: the software part comes with the device list,
  // the firmware address with the model.
  settings.addresses = [this] {
    const std::string server = UpdateServerOverride();
    return UpdateAddresses{setup_.catalogue.Software().version,
                           RebaseOrigin(setup_.catalogue.Software().upgrade, server),
                           RebaseOrigin(modelSwitch_->FirmwareUrl(), server)};
  };
  settings.tempFolder = setup_.dataFolder + "temp/";
  updates_ = std::make_shared<UpdateTasks>(std::move(settings));
  setup_.update = [updates = updates_](int code, DeviceContext& ctx) { return updates->Run(code, ctx); };
}

bool DeviceMainDlg::CreateMain(const QString& caption) {
  // 1400 x 788, but never larger than the screen's work area: a window that
  // does not fit could not be moved or closed on a small screen.
  QSize size(kWidth, kHeight);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size());
  if (!Create(nullptr, caption, 0, QRect(QPoint(0, 0), size))) return false;
  setMinimumSize(QSize(kMinWidth, kMinHeight).boundedTo(size));
  CenterWindow();
  return true;
}

// --- construction -----------------------------------------------------------

void DeviceMainDlg::OnCreate() {
  DUI::Manager::SetFontName(QString::fromLatin1(kFontName));
  // The software version and the links come with the device list.
  if (!setup_.catalogue.LoadDeviceList(setup_.configPath,
                                       DeviceCatalogue::DeviceImageFolder(setup_.appFolder, "default")))
    LogLine(2, "Cannot read the device list of %s", setup_.configPath.c_str());
  frame_ = std::make_unique<MainFrame>(this, setup_.catalogue.Software().version);
  frame_->Build();
  navigation_ = std::make_unique<MainNavigation>(*frame_, [this] { return worker_->State().devicePresent; });
  BuildPages();
  navigation_->Start();
  OnSize(width(), height());
}

void DeviceMainDlg::BuildPages() {
  home_ = new HomePage(this, frame_->Container(kHomeContainer));
  BuildButtonsPage();
  BuildLightingPage();
  BuildMacrosPage();
  device_ = new DevicePage(this, frame_->Container(kDeviceContainer));
  BuildPerformancePage();
  BuildSettingsPage();
}

void DeviceMainDlg::BuildSettingsPage() {
  const SoftwareInfo& sw = setup_.catalogue.Software();
  SettingsPageInfo info{sw.version, sw.website, sw.feedback, sw.qa};
  SettingsPageHooks hooks;
  hooks.languageChanged = [this](int) { ApplyTexts(); };
  hooks.checkSoftwareUpdate = [this] { QueueTask(kCheckSoftwareUpdate); };
  hooks.leave = [this] { navigation_->LeaveSettings(); };
  hooks.openLink = setup_.openLink;
  settingsPage_ = std::make_unique<SettingsPage>(this, frame_->Container(kSettingsContainer), prefs_, info, hooks);
}

void DeviceMainDlg::BuildButtonsPage() {
  ButtonsPageHooks hooks;
  hooks.activeProfile = [this] { return worker_->State().currentProfile; };
  hooks.queueTask = [this](int code) { QueueTask(code); };
  hooks.markMacroUpload = [this](int keyCode) { worker_->MarkMacroUpload(keyCode); };
  hooks.showSaved = [this] { ShowSaved(); };
  hooks.ask = [this](int title, int message, bool okCancel) {
    return aux_ ? aux_->ShowMessage(title, message, okCancel ? CUIMessageBox::kTypeOkCancel : CUIMessageBox::kTypeOk)
                : DUI::MDialog::kCancel;
  };
  // A bound macro shows its name with the current language's default word
  // (text 351, "Custom").
  hooks.macroName = [](const std::string& name) {
    return MacroDescription(name, CurrentLanguage(), GetText(351));
  };
  buttons_ = new ButtonsPage(this, frame_->Container(kButtonsContainer), store_, std::move(hooks));
}

void DeviceMainDlg::BuildMacrosPage() {
  MacrosPageHooks hooks;
  hooks.activeProfile = [this] { return worker_->State().currentProfile; };
  hooks.deviceType = [this] { return selectedDevice_ > 0 ? selectedDevice_ : worker_->State().currentType; };
  hooks.enableFrame = [this](bool enabled) {
    frame_->Tabs()->SetEnabled(enabled);
    frame_->ProfileButton()->SetEnabled(enabled);
  };
  hooks.showMessage = [this](int title, int message) { ShowMessageText(title, message); };
  hooks.sendMacro = [this](int keyCode) {
    worker_->MarkMacroUpload(keyCode);
    return worker_->QueueTask(kWriteButtons);
  };
  hooks.taskDone = [this](std::uint64_t ticket) { return worker_->WaitForTask(ticket, 0); };
  // The buttons page lists the macros and describes bound buttons by them.
  hooks.macroListChanged = [this] { RefreshButtonPage(); };
  hooks.buttonTextChanged = [this](int, const QString&) { RefreshButtonPage(); };
  macros_ = new MacrosPage(this, frame_->Container(kMacrosContainer), store_, std::move(hooks));
}

void DeviceMainDlg::BuildLightingPage() {
  LightingPageHooks hooks;
  hooks.profile = [this] { return worker_->State().currentProfile; };
  hooks.deviceType = [this] { return worker_->State().currentType; };
  hooks.lightModes = [this] { return models_->LightModes(); };
  hooks.hasLighting = [this] { return modelSwitch_->HasLighting(); };
  hooks.queueTask = [this](int code) { QueueTask(code); };
  hooks.showSaved = [this] { ShowSaved(); };
  hooks.confirm = [this](int title, int message) {
    return AskUser(title, message, 2) == DUI::MDialog::kOK;
  };
  lighting_ = new LightingPage(this, frame_->Container(kLightingContainer), store_, std::move(hooks));
}

void DeviceMainDlg::OnSize(int width, int height) {
  if (!frame_) return;
  frame_->Layout(width, height);
  SetCaptionRect(QRect(0, 0, width, 50));
}

void DeviceMainDlg::changeEvent(QEvent* e) {
  MDialog::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange && frame_) frame_->ShowMaximised(isMaximized());
}

void DeviceMainDlg::showEvent(QShowEvent* e) {
  MDialog::showEvent(e);
  // The start-up benchmark waits for this line.
  if (!shownOnce_) LogLine(3, "Main window shown");
  shownOnce_ = true;
}

// --- initialisation ---------------------------------------------------------

bool DeviceMainDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  // The socket a second start looks for stands for the window property.
  if (!setup_.instanceSocket.empty()) {
    instance_ = std::make_unique<InstanceChannel>();
    connect(instance_.get(), &InstanceChannel::ActivationRequested, this, [this] { BringForward(); });
    if (!instance_->Listen(QString::fromStdString(setup_.instanceSocket)))
      LogLine(2, "Cannot listen on %s", setup_.instanceSocket.c_str());
  }
  AddTrayIcon();
  aux_ = std::make_unique<AuxDialogs>(this);  // with the hidden DPI display
  prefs_.LoadShowTips();
  prefs_.LoadBatteryNotice();
  settingsPage_->Refresh();
  WritePreference("DeviceType", "101");
  StartDeviceWork();
  // The library's 10 ms tick (SetMTimer) would drive nothing here: the
  // controls animate with timers of their own and OnMTimer has no work.
  // Waking a hundred times a second for nothing costs about 1 % of a core
  // with the window open, so the tick is not started.
  return true;
}

void DeviceMainDlg::ShowLowBatteryNotice(int type, int level) {
  const DeviceModelEntry* model = setup_.catalogue.FindModel(type);
  const std::string title = GetText(kTextBatteryLowTitle);
  const std::string body = FillText(GetText(kTextBatteryLowBody),
                                    {model != nullptr ? model->name : std::string(), std::to_string(level)});
  LogLine(2, "Battery of device type %d at %d %%: notice", type, level);
  if (setup_.notify) {
    setup_.notify(title, body);
    return;
  }
  if (notifier_ == nullptr) notifier_ = new DesktopNotifier(QDBusConnection::sessionBus(), this);
  const QString qtitle = QString::fromStdString(title);
  const QString qbody = QString::fromStdString(body);
  QPointer<DeviceMainDlg> self(this);
  notifier_->Show(DUI::Manager::GetDeviceName(), QString::fromLatin1(kDesktopId), qtitle, qbody, [self, qtitle, qbody] {
    if (self == nullptr || !self->tray_->ShowMessage(qtitle, qbody))
      LogLine(2, "Battery notice: neither a notification service nor a tray message");
  });
}

void DeviceMainDlg::AddTrayIcon() {
  const QIcon icon = DUI::MRender::LoadIconFromFile(QString::fromLatin1(kTrayIconFile));
  tray_->Add(icon, DUI::Manager::GetDeviceName(), trayAvailable_);
  SetIcon(icon);
}

void DeviceMainDlg::StartDeviceWork() {
  home_->LoadDevices(setup_.catalogue.DeviceListItems());
  hid_.ClearSupportedDevices();
  for (const SupportedDeviceRecord& r : setup_.catalogue.SupportedDevices())
    hid_.AddSupportedDevice(SupportedDevice{r.vendorId, r.productId, static_cast<std::uint32_t>(r.deviceType),
                                            static_cast<std::uint32_t>(r.mode), r.deviceId});
  // Hot-plug events arrive on a backend thread and are handled here.
  hid_.SetEventSink([this](const HidDeviceEvent& event) {
    QMetaObject::invokeMethod(this, [this, event] { OnDeviceChange(event); }, Qt::QueuedConnection);
  });
  AnnounceSetAsideDatabases(store_, this);
  worker_->RefreshDevices();
  worker_->QueueTask(kInitialSync);
  worker_->Start();
}

// --- window messages --------------------------------------------------------

bool DeviceMainDlg::OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) {
  switch (message) {
    case DUI::kMsgClose:
      // The desktop's close (title bar menu, Alt+F4) does what the close
      // button does.
      OnCloseButton();
      return true;
    case DUI::kMsgCommand:
      OnCommand(static_cast<int>(wParam));
      return true;
    case kMsgTrayCallback:
      OnTrayCallback(lParam);
      return true;
    case kMsgExit:
      if (lParam == kExitConfirmation) ExitNow();
      return true;
    case kMsgUpdateAvailable:
      OnUpdateAvailable(static_cast<int>(wParam));
      return true;
    case kMsgProfileAction:
      OnProfileAction(static_cast<int>(wParam), static_cast<ProfileId>(lParam));
      return true;
    case kMsgApplyTexts:
      ApplyTexts();
      return true;
    case kMsgMacroRecordToggle:
      // Without a macro the record button explains itself; the message
      // has no one to tell.
      if (macros_ && macros_->SelectedMacro() > 0) macros_->ToggleRecording();
      return true;
    case kMsgMacroRecordStop:
      if (macros_) macros_->StopRecording();
      return true;
    case kMsgMacroReload:
      if (macros_) macros_->ReloadMacroList();
      return true;
    default:
      return MDialog::OnWindowMessage(message, wParam, lParam);
  }
}

void DeviceMainDlg::OnCommand(int command) {
  if (command == kCmdTrayExit) {
    ExitNow();
  } else if (command == kCmdAbout && aux_) {
    std::uint32_t release = 0;
    hid_.ReleaseOfMode(hid_.SessionMode(), release);
    aux_->ShowAbout(static_cast<int>(release), setup_.catalogue.Software().version);
  }
}

void DeviceMainDlg::OnTrayCallback(intptr_t mouseMessage) {
  if (mouseMessage == kTrayLeftDown || mouseMessage == kTrayLeftDoubleClick)
    BringForward();
  else if (mouseMessage == kTrayRightUp)
    tray_->PopupMenu(QCursor::pos());
}

int DeviceMainDlg::HiddenStartFlag() const {
  return trayAvailable_ ? DUI::kShowHide : DUI::kShowMinimized;
}

void DeviceMainDlg::BringForward() {
  ShowWindow(DUI::kShow);
  raise();
  activateWindow();
}

void DeviceMainDlg::OnCloseButton() {
  switch (prefs_.OnCloseButton(trayAvailable_ && tray_->IsShown())) {
    case CloseAction::HideToTray:
      ShowWindow(DUI::kShowHide);
      break;
    case CloseAction::Minimise:
      // No tray to come back from: a hidden window could not be reached.
      OnMinimize();
      break;
    case CloseAction::Exit:
      ExitNow();
      break;
  }
}

void DeviceMainDlg::ExitNow() {
  tray_->Remove();
  if (setup_.exitProcess) {
    setup_.exitProcess();
    return;
  }
  DefaultExit(worker_.get(), &store_);
}

void DeviceMainDlg::DefaultExit(DeviceWorker* worker, SettingsStore* store) {
  // Ending at once, but not in the middle of a report exchange or a
  // database write: the worker gets its bounded stop, the store is closed
  // (unless the worker is still inside it).
  if (worker->Stop()) store->CloseIfOpen();
  std::fflush(nullptr);
  ::_exit(0);
}

// --- control notifications --------------------------------------------------

void DeviceMainDlg::OnNotify(int id, int event, intptr_t param, DUI::MControl* /*source*/) {
  const bool click = event == DUI::kEventClick;
  switch (id) {
    case kClose:
      if (click) OnCloseButton();
      return;
    case kMinimise:
      if (click) OnMinimize();
      return;
    case kMaximise:
      if (click) OnMaximize();
      return;
    case kSettings:
      if (click) navigation_->ShowSettings();
      return;
    case kProfile:
      if (click) OnProfileButton();
      return;
    case kRestore:
    case DevicePage::kRestore:
      if (click) OnRestoreDefaults();
      return;
    case kTabStrip:
      navigation_->OnTabChanged(static_cast<int>(param));
      return;
    case HomePage::kDeviceList:
      if (click) OnDeviceChosen(static_cast<int>(param));
      return;
    case DevicePage::kFirmwareCheck:
      if (click) OnFirmwareCheck();
      return;
    case DevicePage::kReceiverCheck:
      if (click) ShowMessageText(DevicePage::kTextReceiverFirmware, DevicePage::kTextLatest);
      return;
    default:
      if (PerformancePage::IsPageControl(id) && performance_) performance_->OnNotify(id, event, param);
      if (ButtonsPage::IsPageControl(id) && buttons_) buttons_->OnNotify(id, event, param);
      if (LightingPage::IsPageControl(id) && lighting_) lighting_->OnNotify(id, event, param);
      if (SettingsPage::IsPageControl(id) && settingsPage_) settingsPage_->OnNotify(id, event, param);
      else if (MacrosPage::IsPageControl(id) && macros_) macros_->OnNotify(id, event, param);
      return;
  }
}

void DeviceMainDlg::ShowMessageText(int titleText, int messageText) {
  if (aux_) aux_->ShowMessage(titleText, messageText, 0);
}

void DeviceMainDlg::OnDeviceChosen(int type) {
  if (type <= 0) return;
  selectedDevice_ = type;
  // Switches the model when the type changed and, behind a receiver, queues
  // the selection sync.
  frame_->ShowConnection(worker_->SelectDevice(type));
  // The gauge shows the chosen mouse, not the one chosen before; a cable
  // choice reads nothing from the mouse that would update it.
  const auto battery = batteries_.find(type);
  if (battery != batteries_.end())
    frame_->ShowBattery(battery->second.first, battery->second.second);
  else
    frame_->ShowBattery(0, 0);
  ShowModel();
  navigation_->ShowDeviceTabs();
}

void DeviceMainDlg::OnDeviceChange(const HidDeviceEvent& event) {
  switch (DecideDeviceChange(hid_, event, worker_->State().devicePresent)) {
    case DeviceChangeAction::kReconnectSync:
      QueueTask(kReconnectSync);
      break;
    case DeviceChangeAction::kRemovalRefresh:
      QueueTask(kRemovalRefresh);
      break;
    case DeviceChangeAction::kExitProgram:
      ExitNow();
      break;
    case DeviceChangeAction::kIgnore:
      break;
  }
}

void DeviceMainDlg::QueueTask(int code) { worker_->QueueTask(code); }

void DeviceMainDlg::ShowSaved() {
  if (prefs_.ShowTips() && aux_) aux_->ShowSaved();
}

bool DeviceMainDlg::DeviceOnline() const {
  const DeviceMainDef state = worker_->State();
  return state.devicePresent && state.currentType > 0 && state.mouseConnected;
}

// --- texts ------------------------------------------------------------------

void DeviceMainDlg::SetLanguage(int lcid) {
  korvex::SetLanguage(lcid);
  DUI::Manager::SetFontName(QString::fromLatin1(kFontName));
  ApplyTexts();
}

void DeviceMainDlg::ApplyTexts() {
  DUI::Manager::SetFallbackFonts(LanguageFonts(CurrentLanguage()));
  frame_->ApplyTexts();
  if (!profileName_.empty())
    frame_->ShowProfileLabel(QString::fromStdString(DisplayProfileName(profileName_, GetText(kTextProfile))));
  home_->ApplyTexts();
  device_->ApplyTexts();
  if (buttons_) buttons_->ApplyTexts();
  if (performance_) performance_->ApplyTexts();
  if (macros_) macros_->ApplyTexts();
  if (lighting_) lighting_->ApplyTexts();
  if (settingsPage_) settingsPage_->ApplyTexts();
  if (aux_) aux_->ApplyTexts();
  tray_->ApplyTexts();
  ApplySkin();
}

// --- teardown ---------------------------------------------------------------

void DeviceMainDlg::OnDestroy() { Teardown(); }

void DeviceMainDlg::Teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  hid_.SetEventSink({});
  AnnounceSetAsideDatabases(store_, nullptr);
  // Waits at most a second for the task in progress. A step that cannot be
  // broken off would hold the logout or the SIGTERM behind it without
  // bound (the worker's own object must outlive the thread): end now, as the
  // immediate exit does.
  if (!worker_->Stop()) {
    LogLine(2, "The worker did not stop within %d ms; ending without it", CThreadBasic::kStopWaitMs);
    tray_->Remove();
    if (setup_.exitProcess) {
      setup_.exitProcess();
    } else {
      std::fflush(nullptr);
      ::_exit(0);
    }
  }
  tray_->Remove();
  setup_.catalogue.ClearModes();
  aux_.reset();  // the DPI display with the other small windows
  instance_.reset();
}

}  // namespace korvex
