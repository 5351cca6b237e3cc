#pragma once
// The application settings page, shown in the main window's container 55 in
// place of the tabs: software version and update check, the interface
// language, the tips option, start at logon and minimised, what the close
// button does, and the web links.
//
// The page creates its controls inside the container with the window's
// CreateControl, so their notifications reach the window's OnNotify hook;
// the window hands them on to OnNotify here. The page lays itself out
// whenever the container changes size.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace DUI {
class CArea;
class CCheckButton;
class CImageButton;
class CRadioButton;
class CTextButton;
class MButton;
class MComboBox;
class MControl;
class MPicture;
class MText;
class MWindow;
}  // namespace DUI

namespace korvex {

class AppPreferences;

struct SettingsPageInfo {
  std::string softwareVersion;  // config.xml's software version
  std::string website;          // the three link addresses (may be empty)
  std::string feedback;
  std::string qa;
};

struct SettingsPageHooks {
  // The user chose another language: it is already current and stored, the
  // library font is set and this page shows the new texts; the main window
  // applies them everywhere else.
  std::function<void(int lcid)> languageChanged;
  // The software update button (273).
  std::function<void()> checkSoftwareUpdate;
  // The return button (270): back to the tabs or the home page.
  std::function<void()> leave;
  // Opens a web address; empty: the desktop's URL handler (xdg-open).
  std::function<bool(const std::string& url)> openLink;
};

class SettingsPage : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kBackground = 269,
    kReturn = 270,
    kVersion = 271,
    kUpdateStatus = 272,
    kUpdateCheck = 273,
    kLanguageCaption = 274,
    kLanguage = 275,
    kShowTips = 276,
    kStartCaption = 277,
    kStartAtLogon = 278,
    kStartMinimised = 279,
    kGeneralArea = 280,
    kStartArea = 281,
    kCloseCaption = 282,
    kCloseHides = 283,
    kCloseExits = 284,
    kCopyright = 285,
    kWebsite = 286,
    kFeedback = 287,
    kQa = 288,
    kBatteryNotice = 289,
  };
  static constexpr const char* kExitModeGroup = "IDC_SET_STC_EXITMODE";
  static constexpr const char* kFontName = "Open Sans Semibold";

  // Builds the page in `container` (a page container of `window`) and shows
  // the stored preferences. `prefs` belongs to the main window and outlives
  // the page.
  SettingsPage(DUI::MWindow* window, QWidget* container, AppPreferences& prefs, SettingsPageInfo info,
               SettingsPageHooks hooks);
  ~SettingsPage() override;

  static bool IsPageControl(int id) { return id >= kBackground && id <= kBatteryNotice; }
  // A notification of the window; true when it was one of this page's.
  bool OnNotify(int id, int event, intptr_t param);

  // Texts of the current language.
  void ApplyTexts();
  // Reads the preferences and the current language into the controls again.
  void Refresh();
  // The update status: text 580, or text 582 with a newer version.
  void SetNewerSoftware(const std::string& version);
  void Layout();

  QWidget* Container() const { return container_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Build();
  void FillLanguages();
  void ShowPreferences();
  void OnLanguageChosen(int index);
  void OnLink(const std::string& url);
  template <class T>
  T* Add(int id);

  DUI::MWindow* window_;
  QWidget* container_;
  AppPreferences& prefs_;
  SettingsPageInfo info_;
  SettingsPageHooks hooks_;
  std::string newerSoftware_;

  DUI::MPicture* background_ = nullptr;
  DUI::CImageButton* return_ = nullptr;
  DUI::MText* version_ = nullptr;
  DUI::MText* status_ = nullptr;
  DUI::MButton* updateCheck_ = nullptr;
  DUI::CArea* generalArea_ = nullptr;
  DUI::CArea* startArea_ = nullptr;
  DUI::MText* languageCaption_ = nullptr;
  DUI::MComboBox* language_ = nullptr;
  DUI::CCheckButton* showTips_ = nullptr;
  DUI::CCheckButton* batteryNotice_ = nullptr;
  DUI::MText* startCaption_ = nullptr;
  DUI::CCheckButton* startAtLogon_ = nullptr;
  DUI::CCheckButton* startMinimised_ = nullptr;
  DUI::MText* closeCaption_ = nullptr;
  DUI::CRadioButton* closeHides_ = nullptr;
  DUI::CRadioButton* closeExits_ = nullptr;
  DUI::MText* copyright_ = nullptr;
  DUI::CTextButton* website_ = nullptr;
  DUI::CTextButton* feedback_ = nullptr;
  DUI::CTextButton* qa_ = nullptr;
};

}  // namespace korvex
