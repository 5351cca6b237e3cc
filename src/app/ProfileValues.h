#pragma once
#include <string>

#include "store/SettingsStore.h"

namespace korvex {

// Configuration values of one profile as numbers. Values are decimal text in
// the store; text that is not a number reads as 0, a key without a row as
// its catalogue default (0 for keys outside the catalogue).
class ProfileValues {
 public:
  ProfileValues(SettingsStore& store, ProfileId profile) : store_(store), profile_(profile) {}

  int Int(const std::string& key) const;
  bool SetInt(const std::string& key, long long value);

  // "dpi_group%d_value" / "dpi_group%d_rgb"
  static std::string StageValueKey(int stage);
  static std::string StageColourKey(int stage);

  // Leading decimal number of text (sign allowed, blanks skipped), 0 if none;
  // clamped to the int range.
  static int ParseInt(const std::string& text);

 private:
  SettingsStore& store_;
  ProfileId profile_;
};

}  // namespace korvex
