#pragma once
#include <string>
#include <vector>

#include "korvexctl/CtlCommands.h"

namespace korvex {

class CtlSession;

// set lighting MODE [--brightness 0-4] [--speed 0-4] [--colour #RRGGBB ...];
// operands as parsed, "lighting" first.
CtlResult RunSetLighting(CtlSession& session, const std::vector<std::string>& operands);
// reset lighting: the lighting of every profile back to its default rows,
// the mouse's lighting reset and read back into the active profile.
CtlResult RunResetLighting(CtlSession& session);
// The lighting rows of the active profile, appended to `show`'s answer.
void ShowLighting(CtlSession& session, CtlResult& result);

}  // namespace korvex
