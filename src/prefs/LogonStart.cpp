#include "prefs/LogonStart.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "platform/AtomicFile.h"
#include "platform/Log.h"
#include "prefs/DesktopEntryText.h"

namespace korvex {
namespace {

constexpr size_t kMaxEntryFile = 64 * 1024;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

struct EntryKeys {
  bool hasExec = false;
  size_t execSize = 0;
  bool hidden = false;
  bool disabled = false;
};

// Reads the keys of the "[Desktop Entry]" group that decide whether the
// desktop would run the entry at logon.
EntryKeys ScanEntry(std::string_view bytes) {
  EntryKeys keys;
  bool inMainGroup = false;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = Trim(bytes.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inMainGroup = line == "[Desktop Entry]";
      continue;
    }
    const size_t eq = line.find('=');
    if (!inMainGroup || eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (key == "Exec") {
      keys.hasExec = !value.empty();
      keys.execSize = value.size();
    } else if (key == "Hidden") {
      keys.hidden = value == "true";
    } else if (key == "X-GNOME-Autostart-enabled") {
      keys.disabled = value == "false";
    }
  }
  return keys;
}

}  // namespace

LogonStart::LogonStart(std::string entryPath, std::string executable, std::string caption)
    : entryPath_(std::move(entryPath)), executable_(std::move(executable)), caption_(std::move(caption)) {}

std::string LogonStart::EntryPath(const std::string& caption) {
  return ConfigHome() + "autostart/" + CaptionFileName(caption + ".desktop");
}

LogonStart LogonStart::ForCaption(const std::string& caption) {
  return LogonStart(EntryPath(caption), RunningExecutable(), caption);
}

bool LogonStart::IsOn() const {
  std::string bytes;
  if (ReadWholeFile(entryPath_, bytes, kMaxEntryFile) != FileReadStatus::Ok) return false;
  const EntryKeys keys = ScanEntry(bytes);
  if (!keys.hasExec || keys.hidden || keys.disabled) return false;
  return keys.execSize + 1 <= kValueBufferSize;
}

std::string LogonStart::ExecValue(bool minimised) const {
  std::string exec = QuoteExecArgument(executable_) + " -autorun";
  if (minimised) exec += " -hide";
  return exec;
}

std::string LogonStart::EntryText(bool minimised) const {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.0\n"
         "Name=" + EscapeDesktopString(caption_) + "\n"
         "Exec=" + ExecValue(minimised) + "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

bool LogonStart::Enable(bool minimised) const {
  if (executable_.empty()) {
    LogLine(2, "Start at logon: the program's own file is unknown");
    return false;
  }
  if (ExecValue(minimised).size() + 1 > kValueBufferSize) {
    LogLine(2, "Start at logon: the program path is too long for the entry");
    return false;
  }
  const size_t slash = entryPath_.rfind('/');
  if (slash != std::string::npos && !CreateFolder(entryPath_.substr(0, slash + 1))) return false;
  return WriteFileAtomically(entryPath_, EntryText(minimised), 0644);
}

bool LogonStart::Disable() const {
  if (::unlink(entryPath_.c_str()) == 0 || errno == ENOENT) return true;
  LogLine(2, "Start at logon: cannot remove %s", entryPath_.c_str());
  return false;
}

std::string RunningExecutable() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return {};
  std::string path(buffer, static_cast<size_t>(n));
  // A program replaced while running (an update) reads as "<path> (deleted)";
  // the new file sits at the old path.
  constexpr std::string_view kDeleted = " (deleted)";
  if (path.size() > kDeleted.size() && path.compare(path.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0) {
    path.resize(path.size() - kDeleted.size());
  }
  return path;
}

}  // namespace korvex
