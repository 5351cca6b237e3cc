#pragma once
// The library's auxiliary windows that must not outlive a change of the
// device set: tips, the key dialog, message boxes and the busy indicator
// are closed (a message box as if cancelled); menus, combo lists and the
// colour palette are hidden.

namespace korvex {

// The titles the windows carry.
inline constexpr const char* kClosedAuxiliaryTitles[] = {"CloseWindowTipDlg", "CustomKeyDlg", "MessageBox",
                                                          "WaitDlg"};
inline constexpr const char* kHiddenAuxiliaryTitles[] = {"Menu Window", "KeyboardTip Window", "ComboWnd",
                                                          "PaletteDlg"};

// Returns the number of windows closed or hidden. GUI thread.
int CloseAuxiliaryWindows();

}  // namespace korvex
