#include "store/StoreSchema.h"

#include "store/ColourRef.h"

namespace korvex {

const std::array<const char*, kSchemaStatementCount>& SchemaStatements() {
  static const std::array<const char*, kSchemaStatementCount> statements = {
      "CREATE TABLE IF NOT EXISTS t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "profile INTEGER, key TEXT, value TEXT);",
      "CREATE TABLE IF NOT EXISTS t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT, "
      "name TEXT, status INTEGER, app TEXT, type INTEGER);",
      "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile);",
      "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, "
      "layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, "
      "macro_value3 INTEGER, macro_desc TEXT);",
      "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id);",
      "CREATE TABLE IF NOT EXISTS t_key_otherdata(macro_value INTEGER PRIMARY KEY AUTOINCREMENT, "
      "macro_desc TEXT, param TEXT, type INTEGER);",
      "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value);",
      "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "name TEXT, play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER);",
      "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id);",
      "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, "
      "delay_time INTEGER);",
      "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id);",
      "CREATE TABLE IF NOT EXISTS t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
      "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value1 INTEGER, "
      "color_value2 INTEGER, color_value3 INTEGER, color_value4 INTEGER, color_value5 INTEGER, "
      "color_value6 INTEGER, color_value7 INTEGER, config_func INTEGER, reserved INTEGER, "
      "status INTEGER);",
      "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id);",
      "CREATE TABLE IF NOT EXISTS t_key_light_data(keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER);",
      "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data(keylight_id);",
  };
  return statements;
}

namespace {

// "CREATE TABLE IF NOT EXISTS name(col TYPE, col TYPE ...);" -> name, cols.
SchemaTable ParseTable(const std::string& statement) {
  static const std::string kPrefix = "CREATE TABLE IF NOT EXISTS ";
  SchemaTable table;
  const std::size_t open = statement.find('(');
  table.name = statement.substr(kPrefix.size(), open - kPrefix.size());
  const std::size_t close = statement.rfind(')');
  std::string body = statement.substr(open + 1, close - open - 1);
  std::size_t start = 0;
  while (start < body.size()) {
    std::size_t end = body.find(',', start);
    if (end == std::string::npos) end = body.size();
    std::size_t first = body.find_first_not_of(' ', start);
    if (first < end) table.columns.push_back(body.substr(first, body.find(' ', first) - first));
    start = end + 1;
  }
  return table;
}

}  // namespace

const std::vector<SchemaTable>& SchemaTables() {
  static const std::vector<SchemaTable> tables = [] {
    std::vector<SchemaTable> out;
    for (const char* statement : SchemaStatements()) {
      const std::string text = statement;
      if (text.rfind("CREATE TABLE", 0) == 0) out.push_back(ParseTable(text));
    }
    return out;
  }();
  return tables;
}

const std::array<ConfigDefault, kConfigKeyCount>& ConfigDefaults() {
  static const std::array<ConfigDefault, kConfigKeyCount> defaults = {{
      {"version", "1.0.1"},
      {"lightmode", "3"},
      {"sleep_light", "1"},
      {"move_wakeup", "1"},
      {"move_closelight", "1"},
      {"report_rate", "2"},
      {"report_rate_wireless", "1"},
      {"report_count", "4"},
      {"report_flag", "127"},
      {"button_respondtime", "8"},
      {"sensor_flag", "53"},
      {"liftoff_height", "1"},
      {"scroll_flag", "1"},
      {"e-sports_flag", "0"},
      {"leftbtn_lock", "1"},
      {"dpi_flag", "5"},
      {"dpi_index", "1"},
      {"dpi_count", "5"},
      {"dpi_group0_value", "800"},
      {"dpi_group1_value", "1600"},
      {"dpi_group2_value", "2400"},
      {"dpi_group3_value", "3200"},
      {"dpi_group4_value", "6400"},
      {"dpi_group5_value", "26000"},
      {"dpi_group6_value", "26000"},
      {"dpi_group7_value", "0"},
      {"dpi_group0_rgb", "255"},
      {"dpi_group1_rgb", "16711680"},
      {"dpi_group2_rgb", "65280"},
      {"dpi_group3_rgb", "65535"},
      {"dpi_group4_rgb", "16711935"},
      {"dpi_group5_rgb", "16776960"},
      {"dpi_group6_rgb", "16712191"},
      {"dpi_group7_rgb", "16777215"},
      {"dpi_group8_rgb", "2139135"},
      {"mouse_speed", "10"},
      {"mouse_sensitivity", "1"},
      {"wheel_scrollflag", "0"},
      {"wheel_scrolllines", "3"},
      {"doubleclick_time", "550"},
  }};
  return defaults;
}

namespace {

struct LightSlot {
  int mode;
  const char* name;
  int configFunc;
  int configFuncGeneric;  // for device types 101, 103 and 104
  int reserved;
};

constexpr std::array<LightSlot, kLightModeCount> kLightSlots = {{
    {1, "流光", 0x003, 0x003, 280},
    {2, "呼吸", 0x003, 0x813, 281},
    {3, "常亮", 0x001, 0x011, 282},
    {4, "霓虹", 0x003, 0x003, 283},
    {5, "七彩波浪", 0x003, 0x003, 284},
    {0, "关闭", 0x000, 0x000, 285},
}};

bool UsesGenericLighting(int deviceType) {
  return deviceType == 101 || deviceType == 103 || deviceType == 104;
}

}  // namespace

LightRecord DefaultLightRow(std::size_t index, ProfileId profile, int deviceType) {
  const LightSlot& slot = kLightSlots[index < kLightModeCount ? index : 0];
  LightRecord row;
  row.profile = profile;
  row.name = slot.name;
  row.mode = slot.mode;
  row.brightness = 4;
  row.speed = 2;
  row.direction = 0;
  row.colorful = 1;
  row.colorindex = 0;
  row.color_value1 = static_cast<std::int32_t>(PackColour(0xFF, 0, 0));
  row.color_value2 = static_cast<std::int32_t>(PackColour(0, 0xFF, 0));
  row.color_value3 = static_cast<std::int32_t>(PackColour(0, 0, 0xFF));
  row.color_value4 = static_cast<std::int32_t>(PackColour(0, 0xFF, 0xFF));
  row.color_value5 = static_cast<std::int32_t>(PackColour(0xFF, 0xFF, 0));
  row.color_value6 = static_cast<std::int32_t>(PackColour(0xFF, 0, 0xFF));
  row.color_value7 = static_cast<std::int32_t>(PackColour(0xFF, 0xFF, 0xFF));
  row.config_func = UsesGenericLighting(deviceType) ? slot.configFuncGeneric : slot.configFunc;
  row.reserved = slot.reserved;
  row.status = 0;
  return row;
}

std::vector<LightRecord> DefaultLightRows(ProfileId profile, int deviceType,
                                          const std::array<bool, kLightModeCount>& enabled) {
  std::vector<LightRecord> rows;
  for (std::size_t i = 0; i < kLightModeCount; ++i) {
    if (enabled[i]) rows.push_back(DefaultLightRow(i, profile, deviceType));
  }
  return rows;
}

}  // namespace korvex
