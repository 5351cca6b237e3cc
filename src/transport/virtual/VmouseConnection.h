#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "transport/virtual/VmouseWire.h"

namespace korvex::vmouse {

// One client connection to korvex-vmouse: requests with answers matched by
// id, input reports queued per opened handle, events handed to a callback.
// A thread of its own reads the socket. Thread-safe.
class VmouseConnection {
 public:
  using EventCallback = std::function<void(const HidDeviceEvent&)>;

  // nullptr when nothing listens at path.
  static std::shared_ptr<VmouseConnection> Connect(const std::string& path);
  ~VmouseConnection();
  VmouseConnection(const VmouseConnection&) = delete;
  VmouseConnection& operator=(const VmouseConnection&) = delete;

  bool Connected() const;
  // Sends request (its id is assigned here) and waits for the answer. False
  // on time-out, a broken connection, or a message the daemon refused.
  bool Request(WireMessage request, WireMessage& reply, int timeoutMs);
  // A message that has no answer.
  bool Send(const WireMessage& message);

  // Input reports of a handle, each once its frame has come: bytes copied,
  // 0 on time-out, -1 when the handle's device is gone or the connection
  // broke.
  int ReadInput(std::uint64_t handle, std::uint8_t* buffer, std::size_t length, int timeoutMs);
  void ForgetHandle(std::uint64_t handle);

  // Called on the connection's reader thread; keep it short.
  void SetEventCallback(EventCallback callback);

 private:
  struct Pending {
    std::chrono::steady_clock::time_point due;  // readable from then on
    std::vector<std::uint8_t> bytes;
  };
  struct HandleQueue {
    std::deque<Pending> reports;
    bool gone = false;
  };

  explicit VmouseConnection(int fd);
  void ReaderLoop();
  void Dispatch(WireMessage& message);
  void Broken();

  int fd_ = -1;
  std::thread reader_;
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  bool connected_ = true;
  std::uint32_t nextId_ = 1;
  std::map<std::uint32_t, std::optional<WireMessage>> waiting_;
  std::map<std::uint64_t, HandleQueue> handles_;
  EventCallback onEvent_;
  std::mutex sendMutex_;
};

}  // namespace korvex::vmouse
