#pragma once
#include <string>
#include <vector>

namespace korvex {

// Just enough JSON for korvexctl's output: objects built field by field.
class JsonObject {
 public:
  JsonObject& Add(const std::string& key, const std::string& text);
  JsonObject& Add(const std::string& key, const char* text) { return Add(key, std::string(text)); }
  JsonObject& Add(const std::string& key, long long number);
  JsonObject& Add(const std::string& key, int number) { return Add(key, static_cast<long long>(number)); }
  JsonObject& Add(const std::string& key, bool flag);
  JsonObject& Add(const std::string& key, const JsonObject& object);
  JsonObject& Add(const std::string& key, const std::vector<JsonObject>& array);
  JsonObject& AddNumbers(const std::string& key, const std::vector<int>& numbers);
  std::string Text() const { return "{" + body_ + "}"; }

 private:
  JsonObject& Raw(const std::string& key, const std::string& json);
  std::string body_;
};

// A JSON string literal, quotes included.
std::string JsonQuote(const std::string& text);

}  // namespace korvex
