#pragma once
// Where the program finds its shipped files and keeps the user's files.
// Every folder is returned with a trailing '/', so file names are appended
// directly ("language/1033.lan", "db/...").

#include <string>

namespace korvex {

// The folder of the running executable, or an installed layout's
// ../share/korvex/ when config.xml is not beside the executable.
std::string ApplicationFolder();
// The rule behind ApplicationFolder for a given executable folder.
std::string ResolveApplicationFolder(const std::string& exeFolder);

// $XDG_DATA_HOME (default ~/.local/share) and $XDG_CONFIG_HOME (default
// ~/.config); relative values are ignored, as the base-directory rules say.
std::string DataHome();
std::string ConfigHome();
// $XDG_RUNTIME_DIR when it names a folder, else /tmp/.
std::string RuntimeFolder();

// "<data home>/<caption> Files/".
std::string DataFolder(const std::string& caption);
std::string DataFolder();  // for the current caption

// Creates a folder with all missing parents; true when it exists afterwards.
bool CreateFolder(const std::string& path);

}  // namespace korvex
