#pragma once
#include <string>
#include <vector>

#include "korvexctl/Json.h"

namespace korvex {

class CtlSession;

// What a command produced: plain text, the same as JSON, or an error.
struct CtlResult {
  int exitCode = 0;
  std::string text;
  JsonObject json;
  std::string error;
};

CtlResult RunDevices(CtlSession& session);
CtlResult RunShow(CtlSession& session);
// operands: the setting name and its value(s), as parsed.
CtlResult RunSet(CtlSession& session, const std::vector<std::string>& operands);
CtlResult RunProfile(CtlSession& session, const std::string& number);
CtlResult RunReset(CtlSession& session);

}  // namespace korvex
