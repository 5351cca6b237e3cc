#pragma once
#include <string>
#include <vector>

#include "korvexctl/CtlCommands.h"

namespace korvex {

// korvexctl macro list | show ID | import FILE | import-all FILE |
// export ID FILE | export-all FILE | delete ID. Operands as parsed, the
// sub-command first.
CtlResult RunMacro(CtlSession& session, const std::vector<std::string>& operands);

}  // namespace korvex
