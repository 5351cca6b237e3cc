#include "korvexctl/Json.h"

#include <cstdio>

namespace korvex {

std::string JsonQuote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", c);
          out += esc;
        } else {
          out += static_cast<char>(c);  // UTF-8 passes through
        }
    }
  }
  return out + "\"";
}

JsonObject& JsonObject::Raw(const std::string& key, const std::string& json) {
  if (!body_.empty()) body_ += ",";
  body_ += JsonQuote(key) + ":" + json;
  return *this;
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& text) { return Raw(key, JsonQuote(text)); }

JsonObject& JsonObject::Add(const std::string& key, long long number) { return Raw(key, std::to_string(number)); }

JsonObject& JsonObject::Add(const std::string& key, bool flag) { return Raw(key, flag ? "true" : "false"); }

JsonObject& JsonObject::Add(const std::string& key, const JsonObject& object) { return Raw(key, object.Text()); }

JsonObject& JsonObject::Add(const std::string& key, const std::vector<JsonObject>& array) {
  std::string json = "[";
  for (std::size_t i = 0; i < array.size(); ++i) json += (i ? "," : "") + array[i].Text();
  return Raw(key, json + "]");
}

JsonObject& JsonObject::AddNumbers(const std::string& key, const std::vector<int>& numbers) {
  std::string json = "[";
  for (std::size_t i = 0; i < numbers.size(); ++i) json += (i ? "," : "") + std::to_string(numbers[i]);
  return Raw(key, json + "]");
}

}  // namespace korvex
