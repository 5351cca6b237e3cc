#pragma once
// What a settings database holds from the start: the schema statements, the
// configuration keys every profile receives, and the default lighting rows.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "store/StoreRecords.h"

namespace korvex {

struct ConfigDefault {
  const char* key;
  const char* value;
};

constexpr std::size_t kSchemaStatementCount = 15;
constexpr std::size_t kConfigKeyCount = 40;
constexpr std::size_t kLightModeCount = 6;

// The statements in creation order, each "... IF NOT EXISTS".
const std::array<const char*, kSchemaStatementCount>& SchemaStatements();

// A table of the schema and its columns in declaration order, taken from
// the schema statements.
struct SchemaTable {
  std::string name;
  std::vector<std::string> columns;
};
const std::vector<SchemaTable>& SchemaTables();

// The configuration keys in catalogue order with their default texts.
const std::array<ConfigDefault, kConfigKeyCount>& ConfigDefaults();

// The default row of lighting slot index 0..5 (descriptor flags light_1 to
// light_6; slot 5 is mode 0, "off") for a profile and device type.
LightRecord DefaultLightRow(std::size_t index, ProfileId profile, int deviceType);

// The default rows of every enabled slot, in slot order.
std::vector<LightRecord> DefaultLightRows(ProfileId profile, int deviceType,
                                          const std::array<bool, kLightModeCount>& enabled);

}  // namespace korvex
