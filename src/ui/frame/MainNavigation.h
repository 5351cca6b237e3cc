#pragma once
// Which part of the main window shows: the home page with only the device
// list, the tabbed device pages, or the settings page in place of the tabs.

#include <functional>

namespace korvex {

class MainFrame;

class MainNavigation {
 public:
  // `devicePresent` tells whether the last device refresh found a device.
  MainNavigation(MainFrame& frame, std::function<bool()> devicePresent);

  // The start state: the home item selected, the tab strip and the device
  // controls hidden.
  void Start();

  // The user picked a tab item (the strip has already selected it).
  void OnTabChanged(int item);
  // A device was chosen: the tabbed state with the buttons page.
  void ShowDeviceTabs();
  // Back to the home page (home item selected, only the device list).
  void ShowHome();
  // Settings button and the settings page's return button.
  void ShowSettings();
  void LeaveSettings();

  // The mouse came online again: the tabbed state, on the last page used.
  void OnMouseOnline();
  // The mouse went away: with no device online the home page shows.
  void OnOnlineDeviceCount(int count);

  int CurrentTab() const { return currentTab_; }
  int LastDeviceTab() const { return lastDeviceTab_; }
  bool SettingsShown() const { return settingsShown_; }

 private:
  void ShowTabbedControls(bool visible);
  void HideSettings();

  MainFrame& frame_;
  std::function<bool()> devicePresent_;
  int currentTab_ = 0;
  // The editing or device page the user was last on.
  int lastDeviceTab_ = 0;
  // The page to return to when the mouse comes back after its going away
  // sent the window home; 0 once the user has navigated.
  int resumeTab_ = 0;
  bool settingsShown_ = false;
};

}  // namespace korvex
