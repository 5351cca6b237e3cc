#include "ui/frame/MainNavigation.h"

#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"

namespace korvex {

using namespace frame;

MainNavigation::MainNavigation(MainFrame& frame, std::function<bool()> devicePresent)
    : frame_(frame), devicePresent_(std::move(devicePresent)) {}

void MainNavigation::Start() {
  frame_.Tabs()->SetSelectItem(kTabHome);
  currentTab_ = kTabHome;
  ShowTabbedControls(false);
  frame_.SetSidePictureVisible(false);
  frame_.SetBatteryVisible(false);
}

void MainNavigation::ShowTabbedControls(bool visible) {
  frame_.SetTabStripVisible(visible);
  frame_.SetDeviceControlsVisible(visible);
}

void MainNavigation::HideSettings() {
  if (!settingsShown_) return;
  settingsShown_ = false;
  frame_.Container(kSettingsContainer)->SetVisible(false);
  frame_.SetSettingsButtonsVisible(true);
  frame_.SetFooterTextsVisible(true);
}

void MainNavigation::OnTabChanged(int item) {
  HideSettings();
  if (currentTab_ == kTabHome) {
    frame_.SetSidePictureVisible(true);
    frame_.SetBatteryVisible(true);
  }
  if (item == kTabHome) {
    ShowTabbedControls(false);
    frame_.SetSidePictureVisible(false);
    frame_.SetBatteryVisible(false);
  } else {
    lastDeviceTab_ = item;
  }
  currentTab_ = item;
  resumeTab_ = 0;
}

void MainNavigation::ShowDeviceTabs() {
  frame_.Tabs()->SetSelectItem(kTabButtons);
  OnTabChanged(kTabButtons);
  ShowTabbedControls(true);
}

void MainNavigation::ShowHome() {
  frame_.Tabs()->SetSelectItem(kTabHome);
  OnTabChanged(kTabHome);
}

void MainNavigation::ShowSettings() {
  if (settingsShown_) return;
  settingsShown_ = true;
  frame_.SetTabStripVisible(false);
  frame_.SetSidePictureVisible(false);
  frame_.SetBatteryVisible(false);
  frame_.SetSettingsButtonsVisible(false);
  frame_.SetFooterTextsVisible(false);
  // The settings page takes the place of whatever page showed.
  for (int id = kHomeContainer; id <= kDeviceContainer; ++id) frame_.Container(id)->SetVisible(false);
  frame_.Container(kSettingsContainer)->SetVisible(true);
  frame_.Container(kSettingsContainer)->raise();
}

void MainNavigation::LeaveSettings() {
  if (!settingsShown_) return;
  HideSettings();
  if (devicePresent_() && currentTab_ != kTabHome) {
    frame_.SetTabStripVisible(true);
    frame_.SetSidePictureVisible(true);
    frame_.SetBatteryVisible(true);
    frame_.Tabs()->SetSelectItem(currentTab_);
  } else {
    ShowHome();
  }
}

void MainNavigation::OnMouseOnline() {
  if (settingsShown_ || currentTab_ != kTabHome || resumeTab_ == 0) return;
  const int tab = resumeTab_;
  frame_.Tabs()->SetSelectItem(tab);
  OnTabChanged(tab);
  ShowTabbedControls(true);
}

void MainNavigation::OnOnlineDeviceCount(int count) {
  if (count > 0 || settingsShown_ || currentTab_ == kTabHome) return;
  const int tab = currentTab_;
  ShowHome();
  // Not the user's choice: the pages come back when the mouse does.
  resumeTab_ = tab;
}

}  // namespace korvex
