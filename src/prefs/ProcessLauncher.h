#pragma once
// Starting desktop helpers (URL handler, mouse settings) as processes of
// their own. Arguments go straight to execve, never through a shell, so a URL
// or a path is always one argument whatever characters it holds.

#include <string>
#include <vector>

namespace korvex {

// $PATH, or the usual system folders when it is unset.
std::string DefaultSearchPath();

// The first executable regular file called `name` in the absolute folders of
// searchPath (relative and empty entries are skipped, so the current folder
// is never searched). A name holding '/' is taken as it is. Empty when none.
std::string FindExecutable(const std::string& name, const std::string& searchPath);

// Runs argv[0] (looked up on searchPath) detached: in its own session, not a
// child the caller has to reap, stdin from /dev/null. True once the program
// has been executed; false when it was not found or could not be executed.
// Blocks only until the exec has happened.
bool StartDetached(const std::vector<std::string>& argv, const std::string& searchPath);

}  // namespace korvex
