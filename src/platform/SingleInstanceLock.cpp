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

bool Lock(int fd) {
  int rc;
  while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  return rc == 0;
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

bool SingleInstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  const int fd = OpenLockFile(path_);
  if (fd < 0) return false;
  if (!Lock(fd)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
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
  const bool free = Lock(fd);
  ::close(fd);
  return !free;
}

}  // namespace korvex
