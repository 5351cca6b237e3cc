#pragma once
// The shell shortcuts of the application: web links with the desktop's URL
// handler, and the desktop's own mouse settings (pointer speed, acceleration,
// wheel, double-click), which the program itself never changes.

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Opens a web address with xdg-open (or "gio open" where xdg-open is
// missing). The address is one argument, never shell text. An empty address
// or one starting with '-' (it would be read as an option) opens nothing.
// True when the handler could be started.
bool OpenLink(const std::string& url, const std::string& searchPath);
bool OpenLink(const std::string& url);

struct MouseSettingsCommand {
  std::string desktop;            // the desktop it belongs to ("GNOME", "KDE", ...)
  std::vector<std::string> argv;  // argv[0] is the program's full path
};

// Picks the mouse settings program of the desktops named in
// currentDesktop (XDG_CURRENT_DESKTOP, ':'-separated, letter case ignored),
// the first whose program is on searchPath. When no named desktop is known
// every known program is a candidate; a known desktop is never given another
// desktop's program, since those refuse to run or misbehave outside their
// own desktop. False when nothing fits.
bool ChooseMouseSettings(std::string_view currentDesktop, const std::string& searchPath,
                         MouseSettingsCommand& command);

enum class MouseSettingsStatus {
  Started,
  NotAvailable,  // no mouse settings program of this desktop is installed
  StartFailed,   // one was found but could not be started
};

struct MouseSettingsResult {
  MouseSettingsStatus status = MouseSettingsStatus::NotAvailable;
  std::string desktop;  // XDG_CURRENT_DESKTOP as found (may be empty)
  std::string program;  // what was started or tried
};

MouseSettingsResult OpenMouseControlPanel(std::string_view currentDesktop, const std::string& searchPath);
// With XDG_CURRENT_DESKTOP and $PATH.
MouseSettingsResult OpenMouseControlPanel();

}  // namespace korvex
