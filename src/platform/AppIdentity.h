#pragma once
// The application caption: the program's identity on the machine. It names
// the preference file, the data folder, the single-instance lock and the main
// window. config.xml supplies it at start-up; everything later reads it here.

#include <string>

namespace korvex {

void SetCaption(const std::string& caption);
std::string Caption();

// The caption made safe as one file-name component ('/' and NUL replaced).
std::string CaptionFileName(const std::string& caption);

}  // namespace korvex
