#pragma once
// What an imported profile file may put into the store. A file is untrusted
// input and the worker sends what is stored, so every value is checked
// against the range of its key before it is kept.

#include <cstdint>
#include <string>

namespace korvex {

// A whole decimal number in 32 bits ("-" allowed, nothing else around it).
bool ParseDecimal(const std::string& text, std::int32_t& value);

// The configuration keys the exchange file carries ("dpi_count",
// "dpi_group3_rgb", "report_rate", ...): true when `value` is in the key's
// range. dpi_index is checked against the stage count by the caller as
// well. Unknown keys are refused.
bool ConfigValueAllowed(const std::string& key, std::int32_t value);

// Button rows: the button number and the function category.
bool ButtonKeyCodeAllowed(std::int32_t keyCode);
bool FunctionCategoryAllowed(std::int32_t category);

// Lighting row values.
bool LightLevelAllowed(std::int32_t level);    // brightness, speed: 0..4
bool ColourValueAllowed(std::int32_t colour);  // 0..0xFFFFFF

}  // namespace korvex
