#include "ui/shell/AppEntry.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "catalogue/DeviceCatalogue.h"
#include "i18n/LanguageChoice.h"
#include "i18n/Texts.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "platform/Log.h"
#include "platform/DesktopId.h"
#include "platform/SingleInstanceLock.h"
#include "skinui/Manager.h"
#include "ui/DeviceMainDlg.h"
#include "ui/shell/InstanceChannel.h"
#include "ui/shell/LanguageFonts.h"
#include "ui/shell/ScalingPolicy.h"
#include "ui/shell/StartupNotices.h"
#include "ui/shell/TerminationSignals.h"

namespace korvex {
namespace {

// A second start waits this long for the first to answer (it may itself
// still be starting).
constexpr int kActivationWaitMs = 3000;

}  // namespace

bool HasHideOption(const std::vector<std::string>& arguments) {
  for (const std::string& a : arguments)
    if (a.find("-hide") != std::string::npos) return true;
  return false;
}

int RunApplication(int argc, char** argv) {
  std::unique_ptr<QApplication> app = CreateScaledApplication(argc, argv);
  // The window hides into the tray; that must not end the program.
  app->setQuitOnLastWindowClosed(false);
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));

  const std::string appFolder = ApplicationFolder();
  MainDlgSetup setup;
  setup.appFolder = appFolder;
  setup.configPath = DeviceCatalogue::ConfigPath(appFolder);
  if (!setup.catalogue.LoadApplicationConfig(setup.configPath)) {
    std::fprintf(stderr, "korvex: cannot read %s\n", setup.configPath.c_str());
    // A desktop start has no terminal: the reason must be on screen.
    DUI::Manager::SetInstance(QString::fromStdString(appFolder));
    ShowConfigProblem(setup.configPath);
    return 1;
  }
  const std::string caption = setup.catalogue.Caption();
  SetCaption(caption);
  DUI::Manager::SetDeviceName(QString::fromStdString(caption));

  SingleInstanceLock lock(caption);
  setup.instanceSocket = InstanceChannel::SocketPath(caption).toStdString();
  switch (lock.Acquire()) {
    case SingleInstanceLock::Outcome::kAcquired:
      break;
    case SingleInstanceLock::Outcome::kHeldByOther: {
      // A command-line run holds the mouse for a moment: wait for it (and
      // say so) rather than look for a window that is not there.
      SingleInstanceLock commandLine(caption, kCommandLineLockSuffix);
      if (!commandLine.IsHeldByOther()) {
        InstanceChannel::RequestActivation(QString::fromStdString(setup.instanceSocket), kActivationWaitMs);
        return 0;
      }
      DUI::Manager::SetInstance(QString::fromStdString(appFolder));
      SetAvailableLanguages(setup.catalogue.AvailableLanguages());
      ChooseStartupLanguage(setup.catalogue.AvailableLanguages());
      if (!WaitForCommandLine(lock)) return 0;
      break;
    }
    case SingleInstanceLock::Outcome::kUnavailable:
      // Nothing says another instance runs: start, without the guard.
      std::fprintf(stderr, "korvex: warning: cannot take the single-instance lock %s (%s); starting anyway\n",
                   lock.Path().c_str(), std::strerror(lock.LastError()));
      LogLine(2, "Single-instance lock %s unavailable: %s", lock.Path().c_str(), std::strerror(lock.LastError()));
      break;
  }

  // The settings page offers exactly the languages config.xml lists.
  SetAvailableLanguages(setup.catalogue.AvailableLanguages());
  ChooseStartupLanguage(setup.catalogue.AvailableLanguages());
  DUI::Manager::SetFallbackFonts(LanguageFonts(CurrentLanguage()));
  DUI::Manager::SetInstance(QString::fromStdString(appFolder));
  setup.dataFolder = DataFolder();
  setup.onlineUpdates = true;
  // A folder that cannot be made shows later as a database that does not
  // open; the window still starts.
  CreateFolder(setup.dataFolder + "db/");
  CreateFolder(setup.dataFolder + "temp/");

  if (!HasAnyTexts()) ShowMissingTexts(LanguageFolder());

  std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool hide = HasHideOption(arguments);

  DeviceMainDlg window(std::move(setup));
  if (!window.CreateMain(QString::fromStdString(caption))) return 1;
  TerminationSignals terminations([&window] { window.DestroyWindow(); });
  window.ShowModal(hide ? window.HiddenStartFlag() : 1);
  window.DestroyWindow();
  return 0;
}

}  // namespace korvex
