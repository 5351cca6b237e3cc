#pragma once
#include <string>

#include "app/DeviceContext.h"

namespace korvex {

// "%s: v%s.%s" (or without the v): the caption, the first character of the
// version and its last two characters ("105" -> "v1.05"). A version shorter
// than three characters shows what it has ("5" -> "v5.5"); an empty one
// shows the caption alone.
std::string FormatVersionRow(const std::string& caption, const std::string& version, bool withV);

// The version display after a successful read-back: the release number of
// the connection's interface is the receiver's version (receiver mode) or the
// mouse's firmware version (wired).
void ShowVersions(DeviceContext& ctx);

}  // namespace korvex
