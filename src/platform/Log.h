#pragma once
// The debug log. Lines are discarded unless KORVEX_LOG names "stderr" or a
// file path; the shipped configuration writes nothing. Safe from any thread.

namespace korvex {

// level 2 is what device work writes when something fails.
void LogLine(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Re-reads KORVEX_LOG (tests change it at run time).
void ReopenLog();

}  // namespace korvex
