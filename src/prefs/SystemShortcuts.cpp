#include "prefs/SystemShortcuts.h"

#include <cctype>
#include <cstdlib>

#include "platform/Log.h"
#include "prefs/ProcessLauncher.h"

namespace korvex {
namespace {

struct Tool {
  const char* program;
  const char* argument;  // nullptr: none
};

// Unused slots stay null.
struct DesktopTools {
  const char* names[2];  // XDG_CURRENT_DESKTOP entries; the first is shown
  Tool tools[4];         // in order of preference
};

constexpr DesktopTools kDesktops[] = {
    {{"GNOME", "Unity"}, {{"gnome-control-center", "mouse"}}},
    {{"KDE"},
     {{"systemsettings", "kcm_mouse"},
      {"kcmshell6", "kcm_mouse"},
      {"systemsettings5", "kcm_mouse"},
      {"kcmshell5", "kcm_mouse"}}},
    {{"XFCE"}, {{"xfce4-mouse-settings", nullptr}}},
    {{"X-Cinnamon", "Cinnamon"}, {{"cinnamon-settings", "mouse"}}},
    {{"MATE"}, {{"mate-mouse-properties", nullptr}}},
    {{"LXQt"}, {{"lxqt-config-input", nullptr}}},
    {{"Budgie"}, {{"budgie-control-center", "mouse"}, {"gnome-control-center", "mouse"}}},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

const DesktopTools* FindDesktop(std::string_view name) {
  for (const DesktopTools& desktop : kDesktops) {
    for (const char* known : desktop.names) {
      if (known && EqualNoCase(known, name)) return &desktop;
    }
  }
  return nullptr;
}

bool FirstInstalled(const DesktopTools& desktop, const std::string& searchPath, MouseSettingsCommand& command) {
  for (const Tool& tool : desktop.tools) {
    if (!tool.program) break;
    const std::string program = FindExecutable(tool.program, searchPath);
    if (program.empty()) continue;
    command.desktop = desktop.names[0];
    command.argv = {program};
    if (tool.argument) command.argv.emplace_back(tool.argument);
    return true;
  }
  return false;
}

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

bool OpenLink(const std::string& url, const std::string& searchPath) {
  if (url.empty() || url.front() == '-') return false;
  for (char c : url) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
  }
  if (!FindExecutable("xdg-open", searchPath).empty()) return StartDetached({"xdg-open", url}, searchPath);
  if (!FindExecutable("gio", searchPath).empty()) return StartDetached({"gio", "open", url}, searchPath);
  LogLine(2, "No URL handler (xdg-open) is installed");
  return false;
}

bool OpenLink(const std::string& url) { return OpenLink(url, DefaultSearchPath()); }

bool ChooseMouseSettings(std::string_view currentDesktop, const std::string& searchPath,
                         MouseSettingsCommand& command) {
  command = {};
  bool knownDesktop = false;
  size_t pos = 0;
  while (pos <= currentDesktop.size()) {
    size_t end = currentDesktop.find(':', pos);
    if (end == std::string_view::npos) end = currentDesktop.size();
    const std::string_view name = currentDesktop.substr(pos, end - pos);
    pos = end + 1;
    const DesktopTools* desktop = FindDesktop(name);
    if (!desktop) continue;
    knownDesktop = true;
    if (FirstInstalled(*desktop, searchPath, command)) return true;
  }
  if (knownDesktop) return false;
  for (const DesktopTools& desktop : kDesktops) {
    if (FirstInstalled(desktop, searchPath, command)) return true;
  }
  return false;
}

MouseSettingsResult OpenMouseControlPanel(std::string_view currentDesktop, const std::string& searchPath) {
  MouseSettingsResult result;
  result.desktop = std::string(currentDesktop);
  MouseSettingsCommand command;
  if (!ChooseMouseSettings(currentDesktop, searchPath, command)) {
    LogLine(2, "No mouse settings program for desktop '%s'", result.desktop.c_str());
    return result;
  }
  result.program = command.argv[0];
  result.status = StartDetached(command.argv, searchPath) ? MouseSettingsStatus::Started
                                                          : MouseSettingsStatus::StartFailed;
  return result;
}

MouseSettingsResult OpenMouseControlPanel() {
  return OpenMouseControlPanel(EnvironmentText("XDG_CURRENT_DESKTOP"), DefaultSearchPath());
}

}  // namespace korvex
