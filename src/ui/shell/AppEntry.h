#pragma once
// The process entry of the window program: display scaling, config.xml,
// the single instance, the language, the data folder, then the main window
// until it ends. Returns the process exit code: 0 after the window ended
// and also when another instance was found (and brought forward); 1 when
// the shipped files are unusable.

#include <string>
#include <vector>

namespace korvex {

int RunApplication(int argc, char** argv);

// Whether the text "-hide" occurs anywhere in the command line.
bool HasHideOption(const std::vector<std::string>& arguments);

}  // namespace korvex
