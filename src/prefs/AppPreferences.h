#pragma once
// The application's own preferences, as opposed to the mouse's settings:
// start at logon and minimised start, what the close button does, and the
// tips (the on-screen DPI display and the saved confirmation). They live in
// the caption's preference file, shared by every mouse model, and in the
// autostart entry. The main window owns one object; the settings page's
// controls call the setters and show PageState().

#include <atomic>
#include <string>

#include "platform/PreferenceStore.h"
#include "prefs/LogonStart.h"

namespace korvex {

// What the settings page's preference controls show.
struct SettingsPageState {
  bool startAtLogon = false;           // check box 604
  bool startMinimisedEnabled = false;  // check box 605 can be used
  bool startMinimised = false;         // check box 605
  bool closeHides = false;             // radio 608 checked; radio 609 otherwise
  bool showTips = false;               // check box 632
  bool batteryNotice = true;           // check box 902
};

// What the close button does.
enum class CloseAction {
  HideToTray,  // close hides the window; the tray icon brings it back
  Minimise,    // close hides, but there is no tray to bring it back from
  Exit,        // close ends the program
};

class AppPreferences {
 public:
  static constexpr const char* kShowTips = "showDPITips";
  static constexpr const char* kExitMode = "exit_mode";
  static constexpr const char* kStartMinimised = "autorun_minimize";
  // "0" turns the low-battery notice off; absent or anything else is on.
  static constexpr const char* kBatteryNotice = "lowBatteryNotice";

  AppPreferences(PreferenceStore store, LogonStart logon);
  // The caption's preference file and autostart entry, running this program.
  static AppPreferences ForCaption(const std::string& caption);

  // Main window creation: tips are on exactly when "showDPITips" is 1. Until
  // then ShowTips() is true.
  void LoadShowTips();
  // Safe from any thread (the worker's DPI display reads it).
  bool ShowTips() const { return showTips_.load(); }

  // Main window creation: reads "lowBatteryNotice".
  void LoadBatteryNotice();
  bool BatteryNotice() const { return batteryNotice_.load(); }

  // Reads the stored state into the page's controls.
  const SettingsPageState& BuildSettingsPage();
  const SettingsPageState& PageState() const { return page_; }

  // The four setters behind the controls. Each updates PageState() and
  // returns false when the stored state could not be changed; the page
  // state then shows what is actually stored for start at logon.
  bool SetStartAtLogon(bool on);
  bool SetStartMinimised(bool on);
  bool SetExitMode(bool closeHidesChecked);
  bool SetShowTips(bool on);
  bool SetBatteryNotice(bool on);

  // Reads "exit_mode": 1 hides the window, anything else ends the program.
  // Without a tray a hidden window could not be reached again, so it is
  // minimised instead.
  CloseAction OnCloseButton(bool trayAvailable) const;

  const PreferenceStore& Store() const { return store_; }
  const LogonStart& Logon() const { return logon_; }

 private:
  bool WriteFlag(const char* name, bool on) const;

  PreferenceStore store_;
  LogonStart logon_;
  std::atomic<bool> showTips_{true};
  std::atomic<bool> batteryNotice_{true};
  SettingsPageState page_;
};

}  // namespace korvex
