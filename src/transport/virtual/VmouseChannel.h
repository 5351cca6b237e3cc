#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "transport/virtual/VmouseWire.h"
#include "transport/virtual/WireFramer.h"

namespace korvex::vmouse {

// The connection behind one opened virtual interface. It has no thread of
// its own: whichever caller is waiting reads the socket and hands out what
// it finds, so a write's answer reaches its writer without a thread switch
// (the frame timing leaves about a millisecond for the whole round trip).
// Thread-safe.
class VmouseChannel {
 public:
  // nullptr when nothing listens at path.
  static std::unique_ptr<VmouseChannel> Connect(const std::string& path);
  ~VmouseChannel();
  VmouseChannel(const VmouseChannel&) = delete;
  VmouseChannel& operator=(const VmouseChannel&) = delete;

  // Sends request (its id is assigned here) and waits for the answer; false
  // on time-out, a broken connection or an error answer.
  bool Request(WireMessage request, WireMessage& reply, int timeoutMs);
  // The next input report once it is due: bytes copied, 0 on time-out, -1
  // when the interface is gone or the connection broke.
  int ReadInput(std::uint8_t* buffer, std::size_t length, int timeoutMs);
  // The socket, for a caller that waits on several descriptors at once.
  int Fd() const { return fd_; }
  // Takes what the socket holds without waiting and says when the first
  // input report can be read: 0 now, milliseconds from now, -1 when none
  // waits or the interface is gone.
  int InputReadyInMs();

 private:
  using Clock = std::chrono::steady_clock;
  struct Pending {
    Clock::time_point due;
    std::vector<std::uint8_t> bytes;
  };

  explicit VmouseChannel(int fd) : fd_(fd) {}
  // Waits, reading the socket when no other caller does, until done() or the
  // deadline. Called and returns with lock held.
  template <typename Done>
  bool Await(std::unique_lock<std::mutex>& lock, Clock::time_point deadline, Done done);
  void ReadSocket(std::unique_lock<std::mutex>& lock, Clock::time_point deadline);
  void Dispatch(WireMessage& m);

  const int fd_;
  std::mutex mutex_;
  std::condition_variable cv_;
  bool reading_ = false;
  bool broken_ = false;
  bool gone_ = false;
  WireFramer framer_;
  std::uint32_t nextId_ = 1;
  std::map<std::uint32_t, std::optional<WireMessage>> waiting_;
  std::deque<Pending> inputs_;
  std::mutex sendMutex_;
};

}  // namespace korvex::vmouse
