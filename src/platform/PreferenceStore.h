#pragma once
// Per-user preferences of the application: a small "name=value" file that
// stands where a per-user registry key would be. Values are text, normally
// decimal numbers. Every write replaces the file atomically under an
// advisory lock, so a crash never leaves a half-written file and two
// processes (window and command line) do not lose each other's writes.
// A damaged file reads as empty and is rewritten by the next write.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvex {

class PreferenceStore {
 public:
  enum class KeyState { Existing, Created, Unavailable };

  explicit PreferenceStore(std::string path);

  // Creates the file (and its folder) when missing.
  KeyState EnsureKey() const;
  // Decimal value read like the C library does ("12abc" is 12, "abc" is 0);
  // 0 when absent. Creates the file when missing.
  int ReadInt(const std::string& name) const;
  // The stored text; empty when absent. Creates the file when missing.
  std::string ReadText(const std::string& name) const;
  // Adds or replaces one value. Names are compared without letter case.
  // False for names or values that cannot be stored (line breaks, '=' in a
  // name) and when the file cannot be written.
  bool Write(const std::string& name, const std::string& text) const;

  const std::string& Path() const { return path_; }

 private:
  using Entries = std::vector<std::pair<std::string, std::string>>;
  bool Load(Entries& entries) const;

  std::string path_;
};

// "<config home>/<caption>/preferences.ini".
std::string PreferenceFilePath(const std::string& caption);

// The preference key of the current caption (see AppIdentity).
int ReadPreference(const std::string& name);
std::string ReadPreferenceText(const std::string& name);
bool WritePreference(const std::string& name, const std::string& text);

// The C library's decimal conversion, saturated to the int range.
int DecimalValue(std::string_view text);

}  // namespace korvex
