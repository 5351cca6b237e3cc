#pragma once
// The main window's frame: background, title and bottom bars, system
// buttons, battery gauge, connection text, profile and restore buttons, the
// tab strip and the seven page containers. It places them on every size
// change and shows or hides the groups the navigation asks for; what the
// controls do is the window's dispatch.

#include <QRect>
#include <QString>
#include <string>

namespace DUI {
class BatteryCtrl;
class CDeviceState;
class CIconButton;
class CImageButton;
class MButton;
class MPicture;
class MTabCtrl;
class MTabLayout;
class MText;
class MWindow;
}  // namespace DUI

namespace korvex {

class MainFrame {
 public:
  MainFrame(DUI::MWindow* window, std::string softwareVersion);

  // Creates the frame controls, the tab strip with its six items (home
  // selected) and the page containers, all inside the window.
  void Build();
  // Places everything for a client area of width x height.
  void Layout(int width, int height);
  void ApplyTexts();

  // Connection text: 50 no device, 51 cable, 52 receiver.
  void ShowConnection(int textId);
  int ConnectionText() const { return connectionText_; }
  // The profile button shows the name (empty: the word "profile").
  void ShowProfileLabel(const QString& name);
  QString ProfileLabel() const { return profileLabel_; }
  // The maximise button's picture follows the window state.
  void ShowMaximised(bool maximised);

  // The battery gauge: level 0..100, state 1 charging. It only shows where
  // the navigation wants it and a level is known.
  void ShowBattery(int level, int state);

  // Groups the navigation shows and hides.
  void SetTabStripVisible(bool visible);  // strip and its background
  void SetDeviceControlsVisible(bool visible);  // connection, profile, restore
  void SetSidePictureVisible(bool visible);
  void SetBatteryVisible(bool visible);
  void SetSettingsButtonsVisible(bool visible);  // settings and maximise
  // The bottom bar's version and copyright; the settings page shows both
  // itself.
  void SetFooterTextsVisible(bool visible);

  DUI::MTabCtrl* Tabs() const { return tabs_; }
  DUI::MTabLayout* Container(int id) const;
  DUI::BatteryCtrl* Battery() const { return battery_; }
  DUI::CDeviceState* Connection() const { return connection_; }
  DUI::CIconButton* ProfileButton() const { return profile_; }
  // The area the editing pages and the device page fill, in window
  // coordinates, for the current size.
  QRect PageRect() const { return pageRect_; }

 private:
  void BuildBars();
  void BuildSystemButtons();
  void BuildDeviceControls();
  void BuildTabs();
  void PlaceBars(int w, int h);
  void PlaceTitle();
  void PlacePages(int w, int h);

  DUI::MWindow* window_;
  std::string softwareVersion_;
  int connectionText_ = 50;
  QString profileLabel_;
  QRect pageRect_;
  bool batteryWanted_ = false;
  bool batteryKnown_ = false;

  DUI::MPicture* background_ = nullptr;
  DUI::MPicture* sidePicture_ = nullptr;
  DUI::MPicture* titleBar_ = nullptr;
  DUI::MPicture* bottomBar_ = nullptr;
  DUI::MPicture* logo_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::MText* version_ = nullptr;
  DUI::MText* copyright_ = nullptr;
  DUI::CImageButton* close_ = nullptr;
  DUI::CImageButton* maximise_ = nullptr;
  DUI::CImageButton* minimise_ = nullptr;
  DUI::CImageButton* settings_ = nullptr;
  DUI::BatteryCtrl* battery_ = nullptr;
  DUI::CDeviceState* connection_ = nullptr;
  DUI::CIconButton* profile_ = nullptr;
  DUI::MButton* restore_ = nullptr;
  DUI::MPicture* tabBackground_ = nullptr;
  DUI::MTabCtrl* tabs_ = nullptr;
  DUI::MTabLayout* containers_[7] = {};
};

}  // namespace korvex
