#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace korvex {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

FileReadStatus ReadWholeFile(const std::string& path, std::string& out, size_t maxSize) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable;
  struct stat st {};
  FileReadStatus status = FileReadStatus::Ok;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    status = FileReadStatus::Unreadable;
  } else if (static_cast<size_t>(st.st_size) > maxSize) {
    status = FileReadStatus::TooLarge;
  } else {
    char buffer[65536];
    while (true) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) status = FileReadStatus::Unreadable;
      if (n <= 0) break;
      out.append(buffer, static_cast<size_t>(n));
      if (out.size() > maxSize) {
        status = FileReadStatus::TooLarge;
        break;
      }
    }
  }
  ::close(fd);
  if (status != FileReadStatus::Ok) out.clear();
  return status;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, unsigned mode) {
  static std::atomic<unsigned> counter{0};
  const std::string temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolderOf(path);
  return true;
}

}  // namespace korvex
