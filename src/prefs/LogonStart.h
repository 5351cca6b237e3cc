#pragma once
// Start at logon: an autostart desktop entry named after the caption in the
// user's autostart folder. Its Exec runs this program with "-autorun" (which
// start-up ignores) and, for a minimised start, "-hide".
//
// Whether start at logon is on is read like a registry value read into a
// 512-byte buffer: an Exec value that does not fit (with its terminator)
// counts as absent, and so does an entry the desktop would skip (hidden,
// disabled, without Exec). An entry that runs another executable still
// counts as on: it is this caption's entry, and switching on rewrites it.

#include <cstddef>
#include <string>

namespace korvex {

class LogonStart {
 public:
  static constexpr std::size_t kValueBufferSize = 512;

  // entryPath: the .desktop file; executable: what its Exec runs;
  // caption: its Name.
  LogonStart(std::string entryPath, std::string executable, std::string caption);
  // The caption's entry in $XDG_CONFIG_HOME/autostart/, running this program.
  static LogonStart ForCaption(const std::string& caption);
  // "<config home>autostart/<caption>.desktop".
  static std::string EntryPath(const std::string& caption);

  bool IsOn() const;
  // Writes the entry atomically. False (nothing written) when the folder or
  // file cannot be written or the Exec value would not fit the buffer, since
  // such an entry would read as absent.
  bool Enable(bool minimised) const;
  // Removes the entry; true when it is gone afterwards.
  bool Disable() const;

  std::string ExecValue(bool minimised) const;
  std::string EntryText(bool minimised) const;
  const std::string& Path() const { return entryPath_; }
  const std::string& Executable() const { return executable_; }

 private:
  std::string entryPath_;
  std::string executable_;
  std::string caption_;
};

// The running program's file (/proc/self/exe); empty when unknown.
std::string RunningExecutable();

}  // namespace korvex
