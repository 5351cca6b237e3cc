#include "app/ProfileValues.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "store/StoreSchema.h"

namespace korvex {

int ProfileValues::ParseInt(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

int ProfileValues::Int(const std::string& key) const {
  std::string text;
  if (store_.GetValue(profile_, key, text)) return ParseInt(text);
  // No row (a profile not created yet, e.g. right after the database was
  // replaced): the key's default, never a zero the mouse would choke on.
  for (const ConfigDefault& d : ConfigDefaults())
    if (key == d.key) return ParseInt(d.value);
  return 0;
}

bool ProfileValues::SetInt(const std::string& key, long long value) {
  return store_.SetValue(profile_, key, std::to_string(value));
}

std::string ProfileValues::StageValueKey(int stage) {
  return "dpi_group" + std::to_string(stage) + "_value";
}

std::string ProfileValues::StageColourKey(int stage) {
  return "dpi_group" + std::to_string(stage) + "_rgb";
}

}  // namespace korvex
