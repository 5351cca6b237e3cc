#pragma once
// What a settings database holds from the start: the schema statements, the
// configuration keys every profile receives, and the default lighting rows.

#include <array>
#include <cstddef>
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

// The configuration keys in catalogue order with their default texts.
const std::array<ConfigDefault, kConfigKeyCount>& ConfigDefaults();

// The default row of lighting slot index 0..5 (descriptor flags light_1 to
// light_6; slot 5 is mode 0, "off") for a profile and device type.
LightRecord DefaultLightRow(std::size_t index, ProfileId profile, int deviceType);

// The default rows of every enabled slot, in slot order.
std::vector<LightRecord> DefaultLightRows(ProfileId profile, int deviceType,
                                          const std::array<bool, kLightModeCount>& enabled);

}  // namespace korvex
