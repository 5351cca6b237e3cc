#pragma once
// Control identifiers of the main window's frame, tab strip and page
// containers. The dispatch of DeviceMainDlg routes on these numbers.

namespace korvex::frame {

enum ControlId : int {
  kBackground = 30,
  kSidePicture = 31,
  kTitleBar = 32,
  kBottomBar = 33,
  kLogo = 34,
  kTitle = 35,
  kVersion = 36,
  kCopyright = 37,
  kClose = 38,
  kMinimise = 39,
  kSettings = 40,
  kMaximise = 41,
  kBattery = 43,
  kConnection = 44,
  kProfile = 45,
  kRestore = 46,
  kTabBackground = 47,
  kTabStrip = 48,
  kHomeContainer = 49,
  kButtonsContainer = 50,
  kPerformanceContainer = 51,
  kMacrosContainer = 52,
  kLightingContainer = 53,
  kDeviceContainer = 54,
  kSettingsContainer = 55,
};

// Tab items (the settings page has none).
enum TabItem : int {
  kTabHome = 1,
  kTabButtons = 2,
  kTabPerformance = 3,
  kTabMacros = 4,
  kTabLighting = 5,
  kTabDevice = 7,
};

// Interface texts of the frame.
enum FrameText : int {
  kTextTitle = 1,
  kTextCopyright = 2,
  kTextClose = 5,
  kTextMinimise = 6,
  kTextMaximise = 7,
  kTextSettings = 11,
  kTextTrayExit = 12,
  kTextSoftwareVersion = 17,
  kTextNoDevice = 50,
  kTextWired = 51,
  kTextReceiver = 52,
  kTextOfflineMessage = 57,
  kTextProfile = 61,
  kTextRestore = 558,
  kTextOfflineTitle = 576,
};

}  // namespace korvex::frame
