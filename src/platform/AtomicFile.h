#pragma once
// Whole-file reads and crash-safe whole-file replacement.

#include <string>
#include <string_view>

namespace korvex {

enum class FileReadStatus { Ok, Missing, Unreadable, TooLarge };

// Reads a regular file whole (at most maxSize bytes).
FileReadStatus ReadWholeFile(const std::string& path, std::string& out, size_t maxSize);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, then flushes the folder. A crash at any moment
// leaves either the old file or the new one, never a mixture. `mode` applies
// to a newly created file (the umask still applies).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, unsigned mode = 0644);

}  // namespace korvex
