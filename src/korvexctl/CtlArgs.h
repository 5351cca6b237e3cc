#pragma once
#include <string>
#include <vector>

namespace korvex {

// The parsed command line of korvexctl.
struct CtlArgs {
  bool json = false;
  int deviceType = 0;  // --device TYPE; 0 = the window's own choice
  std::string command;  // devices, show, set, profile, reset, help
  std::vector<std::string> operands;
};

// False with error on a malformed command line (unknown option or command,
// wrong operand count). Values are checked later, against the mouse.
bool ParseCtlArgs(const std::vector<std::string>& argv, CtlArgs& out, std::string& error);

// A whole decimal number (sign allowed); false for anything else.
bool ParseWholeNumber(const std::string& text, long long& value);

const char* CtlUsage();

}  // namespace korvex
