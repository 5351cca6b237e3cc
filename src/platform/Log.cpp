#include "platform/Log.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace korvex {
namespace {

std::mutex logMutex;
FILE* logSink = nullptr;
bool logOpened = false;

void OpenSinkLocked() {
  logOpened = true;
  if (logSink && logSink != stderr) std::fclose(logSink);
  logSink = nullptr;
  const char* target = std::getenv("KORVEX_LOG");
  if (!target || !*target) return;
  if (std::strcmp(target, "stderr") == 0) {
    logSink = stderr;
  } else {
    logSink = std::fopen(target, "a");
  }
}

}  // namespace

void ReopenLog() {
  std::lock_guard<std::mutex> lock(logMutex);
  OpenSinkLocked();
}

void LogLine(int level, const char* format, ...) {
  std::lock_guard<std::mutex> lock(logMutex);
  if (!logOpened) OpenSinkLocked();
  if (!logSink) return;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  std::fprintf(logSink, "%lld [%d] ", static_cast<long long>(ms), level);
  va_list args;
  va_start(args, format);
  std::vfprintf(logSink, format, args);
  va_end(args);
  std::fputc('\n', logSink);
  std::fflush(logSink);
}

}  // namespace korvex
