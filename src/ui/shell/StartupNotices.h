#pragma once
// What the window tells a desktop user who has no terminal to read: a
// config.xml that cannot be read, a command-line run that holds the mouse,
// no readable language file, a damaged database that was set aside.

#include <string>

namespace DUI {
class MWindow;
}

namespace korvex {

class SettingsStore;
class SingleInstanceLock;

// Text numbers of these notices.
enum StartupText : int {
  kTextConfigTitle = 700,
  kTextConfigMessage = 701,  // %s: the path of config.xml
  kTextWaitTitle = 702,
  kTextWaitMessage = 703,
  kTextSetAsideTitle = 704,
  kTextSetAsideMessage = 705,  // %s: where the old file went
};

// A path for a message box: it may wrap after '/', '.' and '-'.
std::string BreakablePath(const std::string& path);

// `text` with its first "%s" replaced by `value`.
std::string FillText(const std::string& text, const std::string& value);

// A message box that config.xml (at `configPath`) cannot be read; the
// language is the stored choice or the user's, as far as a file has it.
void ShowConfigProblem(const std::string& configPath);

// The instance lock is held by a command-line run: shows why the window
// waits and waits until `lock` is taken. False when the user gave up
// (closed the notice) first.
bool WaitForCommandLine(SingleInstanceLock& lock);

// When no language file has any text: says which folder lacks them, in
// English (nothing else can be looked up).
void ShowMissingTexts(const std::string& folder);

// From now on, a database set aside as damaged is announced with a message
// box over `owner`; an empty owner stops it.
void AnnounceSetAsideDatabases(SettingsStore& store, DUI::MWindow* owner);

}  // namespace korvex
