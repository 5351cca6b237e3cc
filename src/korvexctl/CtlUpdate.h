#pragma once
#include <string>
#include <vector>

#include "korvexctl/CtlCommands.h"

namespace korvex {

// Exit code of the update commands when the update server could not be
// reached or its answer was unusable.
constexpr int kExitNoServer = 7;

// update check | update firmware [--yes]
CtlResult RunUpdate(CtlSession& session, const std::vector<std::string>& operands);

}  // namespace korvex
