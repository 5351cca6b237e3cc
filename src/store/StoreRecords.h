#pragma once
// In-memory copies of the settings database rows. Each field is named like its
// column; integers are 32-bit signed, texts UTF-8.

#include <cstdint>
#include <string>

namespace korvex {

// Row id of a profile, from 1; 0 means none.
using ProfileId = std::int32_t;

struct ProfileRecord {
  ProfileId profile = 0;
  std::string name;
  std::string app;
  std::int32_t type = 0;
  std::int32_t status = 0;
};

struct KeyAssignmentRecord {
  std::int32_t key_id = 0;
  ProfileId profile = 0;
  std::int32_t fn_layer = 0;
  std::int32_t key_code = 0;
  std::int32_t layout_value = 0;
  std::string layout_desc;
  std::int32_t macro_type = 0;
  std::int32_t macro_value = 0;
  std::int32_t macro_value2 = 0;
  std::int32_t macro_value3 = 0;
  std::string macro_desc;
};

struct LightRecord {
  std::int32_t light_id = 0;
  ProfileId profile = 0;
  std::string name;
  std::int32_t mode = 0;
  std::int32_t brightness = 0;
  std::int32_t speed = 0;
  std::int32_t direction = 0;
  std::int32_t colorful = 0;
  std::int32_t colorindex = 0;
  std::int32_t color_value1 = 0;
  std::int32_t color_value2 = 0;
  std::int32_t color_value3 = 0;
  std::int32_t color_value4 = 0;
  std::int32_t color_value5 = 0;
  std::int32_t color_value6 = 0;
  std::int32_t color_value7 = 0;
  std::int32_t config_func = 0;
  std::int32_t reserved = 0;
  std::int32_t status = 0;
};

struct MacroInfo {
  std::int32_t macro_id = 0;
  std::string name;
  std::int32_t play_type = 0;
  std::int32_t play_times = 0;
  std::int32_t delay_type = 0;
  std::int32_t delay_time = 0;
};

struct MacroEventRecord {
  std::int32_t record_id = 0;
  std::int32_t macro_id = 0;
  std::int32_t type = 0;
  std::int32_t record_index = 0;
  std::int32_t value = 0;
  std::int32_t delay_time = 0;
  std::string desc;
};

}  // namespace korvex
