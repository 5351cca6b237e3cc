#include "prefs/AppPreferences.h"

#include "platform/Log.h"

namespace korvex {

AppPreferences::AppPreferences(PreferenceStore store, LogonStart logon)
    : store_(std::move(store)), logon_(std::move(logon)) {}

AppPreferences AppPreferences::ForCaption(const std::string& caption) {
  return AppPreferences(PreferenceStore(PreferenceFilePath(caption)), LogonStart::ForCaption(caption));
}

void AppPreferences::LoadShowTips() {
  showTips_.store(store_.ReadInt(kShowTips) == 1);
  page_.showTips = showTips_.load();
}

void AppPreferences::LoadBatteryNotice() {
  // On unless switched off: the notice is the only warning before the mouse
  // stops, so a preference file that cannot be read keeps it.
  batteryNotice_.store(store_.ReadText(kBatteryNotice) != "0");
  page_.batteryNotice = batteryNotice_.load();
}

const SettingsPageState& AppPreferences::BuildSettingsPage() {
  page_ = SettingsPageState{};
  page_.startAtLogon = logon_.IsOn();
  if (page_.startAtLogon) {
    page_.startMinimisedEnabled = true;
    page_.startMinimised = store_.ReadInt(kStartMinimised) == 1;
  }
  page_.closeHides = store_.ReadInt(kExitMode) == 1;
  page_.showTips = showTips_.load();
  page_.batteryNotice = batteryNotice_.load();
  return page_;
}

bool AppPreferences::SetStartAtLogon(bool on) {
  bool ok = true;
  if (on) {
    // The minimised box keeps its state; the entry follows it.
    ok = logon_.Enable(page_.startMinimised);
  } else {
    page_.startMinimised = false;
    ok = WriteFlag(kStartMinimised, false);
    ok = logon_.Disable() && ok;
  }
  // A box that says "on" while nothing would start at logon (or the other
  // way round) would be a failure shown as success.
  page_.startAtLogon = logon_.IsOn();
  page_.startMinimisedEnabled = page_.startAtLogon;
  if (!page_.startAtLogon) page_.startMinimised = false;
  return ok && page_.startAtLogon == on;
}

bool AppPreferences::SetStartMinimised(bool on) {
  page_.startMinimised = on;
  bool ok = WriteFlag(kStartMinimised, on);
  // The entry carries "-hide" so that a minimised start really starts hidden.
  if (page_.startAtLogon) ok = logon_.Enable(on) && ok;
  return ok;
}

bool AppPreferences::SetExitMode(bool closeHidesChecked) {
  page_.closeHides = closeHidesChecked;
  return WriteFlag(kExitMode, closeHidesChecked);
}

bool AppPreferences::SetShowTips(bool on) {
  showTips_.store(on);
  page_.showTips = on;
  return WriteFlag(kShowTips, on);
}

bool AppPreferences::SetBatteryNotice(bool on) {
  batteryNotice_.store(on);
  page_.batteryNotice = on;
  return WriteFlag(kBatteryNotice, on);
}

CloseAction AppPreferences::OnCloseButton(bool trayAvailable) const {
  if (store_.ReadInt(kExitMode) != 1) return CloseAction::Exit;
  return trayAvailable ? CloseAction::HideToTray : CloseAction::Minimise;
}

bool AppPreferences::WriteFlag(const char* name, bool on) const {
  if (store_.Write(name, on ? "1" : "0")) return true;
  LogLine(2, "Cannot write preference %s", name);
  return false;
}

}  // namespace korvex
