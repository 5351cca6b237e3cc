#include "platform/SingleInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"

namespace korvex {
namespace {

int OpenLockFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  return fd;
}

// 0 when locked, EWOULDBLOCK when someone else holds it, another errno when
// the file cannot be locked at all.
int Lock(int fd) {
  int rc;
  while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  return rc == 0 ? 0 : errno;
}

}  // namespace

std::string InstanceRuntimePath(const std::string& caption, const std::string& suffix) {
  const std::string folder = RuntimeFolder();
  std::string name = CaptionFileName(caption);
  if (folder == "/tmp/") name += "-" + std::to_string(::getuid());
  return folder + name + suffix;
}

SingleInstanceLock::SingleInstanceLock(const std::string& caption)
    : path_(InstanceRuntimePath(caption, ".lock")) {}

SingleInstanceLock::SingleInstanceLock(const std::string& caption, const std::string& suffix)
    : path_(InstanceRuntimePath(caption, suffix)) {}

SingleInstanceLock::~SingleInstanceLock() { Release(); }

SingleInstanceLock::Outcome SingleInstanceLock::Acquire() {
  if (fd_ >= 0) return Outcome::kAcquired;
  const int fd = OpenLockFile(path_);
  if (fd < 0) {
    lastError_ = errno;
    return Outcome::kUnavailable;
  }
  const int error = Lock(fd);
  if (error != 0) {
    ::close(fd);
    if (error == EWOULDBLOCK) return Outcome::kHeldByOther;
    lastError_ = error;
    return Outcome::kUnavailable;
  }
  fd_ = fd;
  return Outcome::kAcquired;
}

void SingleInstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the descriptor drops the lock
  fd_ = -1;
}

bool SingleInstanceLock::IsHeldByOther() const {
  if (fd_ >= 0) return false;
  const int fd = OpenLockFile(path_);
  if (fd < 0) return false;
  const bool taken = Lock(fd) == EWOULDBLOCK;
  ::close(fd);
  return taken;
}

}  // namespace korvex
