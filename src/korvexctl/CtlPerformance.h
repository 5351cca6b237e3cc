#pragma once
// korvexctl's sensor, power and DPI-colour settings and the DPI and
// report-rate resets.

#include <string>
#include <vector>

#include "korvexctl/CtlCommands.h"

namespace korvex {

// set sensor OPTION on|off, set wake on|off, set lights-off-moving on|off,
// set response-time N, set dpi-colour STAGE #RRGGBB.
bool IsPerformanceSetting(const std::string& name);
CtlResult RunSetPerformance(CtlSession& session, const std::vector<std::string>& operands);

// reset dpi, reset report-rate.
bool IsPerformanceReset(const std::string& target);
CtlResult RunResetPerformance(CtlSession& session, const std::string& target);

}  // namespace korvex
