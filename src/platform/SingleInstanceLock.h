#pragma once
// Keeps a single running instance per user: an advisory lock on a file named
// after the caption in the runtime folder. The lock dies with the process, so
// a crash never leaves a stale lock behind. Usable by the window and by a
// command-line tool that only wants to know whether the window runs.

#include <string>

namespace korvex {

class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(const std::string& caption);
  // A lock of its own beside the instance lock, e.g. the one the command-line
  // tool holds so that a window or a second run can tell who has the mouse.
  SingleInstanceLock(const std::string& caption, const std::string& suffix);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  enum class Outcome {
    kAcquired,     // this object holds the lock (also when it already did)
    kHeldByOther,  // a running instance has it
    kUnavailable,  // the lock file cannot be opened or locked at all
  };
  // Only kHeldByOther means another instance runs: a runtime folder that
  // cannot take the file says nothing about other processes.
  Outcome Acquire();
  // True when this object now holds the lock (also when it already did).
  bool TryAcquire() { return Acquire() == Outcome::kAcquired; }
  // errno of the last kUnavailable, for the message that reports it.
  int LastError() const { return lastError_; }
  void Release();
  bool IsHeld() const { return fd_ >= 0; }
  // True when another holder (another process, or another lock object) has it.
  bool IsHeldByOther() const;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  int lastError_ = 0;
};

// Suffix of the lock a command-line run holds for its whole life, beside the
// instance lock.
inline constexpr const char* kCommandLineLockSuffix = "-ctl.lock";

// "<runtime folder>/<caption><suffix>"; in the shared /tmp fallback the user
// id is added so that two users never share one name.
std::string InstanceRuntimePath(const std::string& caption, const std::string& suffix);

}  // namespace korvex
