#pragma once
#include <string>
#include <vector>

#include "korvexctl/CtlCommands.h"

namespace korvex {

class CtlSession;

// Whether `profile` operands name an exchange-file command (export, import)
// rather than a profile number.
bool IsProfileFileCommand(const std::vector<std::string>& operands);

// profile export FILE [N]: profile N (1 to 4, default the active one) to
// FILE. profile import FILE: FILE into the active profile, which is then
// written to the mouse; prints the profile's new name.
CtlResult RunProfileFile(CtlSession& session, const std::vector<std::string>& operands);

}  // namespace korvex
