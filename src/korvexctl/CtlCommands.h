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
// No operand: the whole mouse back to its defaults; otherwise one part.
CtlResult RunReset(CtlSession& session, const std::vector<std::string>& operands);
// set button SLOT FUNCTION and reset buttons (CtlButtons.cpp).
CtlResult RunSetButton(CtlSession& session, const std::string& slot, const std::string& function);
CtlResult RunResetButtons(CtlSession& session);

// Shared by the command files.
CtlResult Fail(int code, const std::string& error);
// The mouse must have been synchronised for its values to mean anything;
// false with failure set (exit 4) when it cannot be reached.
bool Reachable(CtlSession& session, CtlResult& failure);
// Reachable, and the synchronisation read every setting and stored it: the
// store is the mouse's copy. Otherwise false with failure set (exit 1, 4 or 5).
bool Synced(CtlSession& session, CtlResult& failure);
// Queues code and waits; a failure names the command and says why (exit 1,
// 4 or 5, see CtlSession::ExplainFailure).
CtlResult Send(CtlSession& session, int code, const std::string& what, CtlResult done);

}  // namespace korvex
