#pragma once
#include <cstddef>
#include <string>

namespace korvex {

// Compares dot-separated decimal versions. Each text is split at every "."
// (empty parts count). Different part counts give 2; otherwise the first
// unequal pair gives -1 when the local part is greater and 1 when the remote
// one is; all equal gives 0. A part is read like strtol: leading digits,
// empty or none as 0. 1 or more means the remote version is newer.
int CompareVersions(const std::string& local, const std::string& remote);

// An update server's version answer as it is used: surrounding blanks and
// line ends removed; empty unless it has 1 to maxLength characters, all of
// them letters, digits, '.', '-' or '_', and no "..". The text becomes part
// of file names and addresses, so nothing that could name another folder
// gets through.
std::string AcceptVersionText(const std::string& answer, std::size_t maxLength);

}  // namespace korvex
