#pragma once
#include <condition_variable>
#include <cstdint>
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

// The control connection of a client of korvex-vmouse: requests with answers
// matched by id (enumeration, control commands) and hot-plug events handed to
// a callback. A thread of its own reads the socket, so events arrive while
// nobody asks. Opened interfaces use a VmouseChannel each. Thread-safe.
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

  // Called on the connection's reader thread; keep it short.
  void SetEventCallback(EventCallback callback);

 private:
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
  EventCallback onEvent_;
  std::mutex sendMutex_;
};

}  // namespace korvex::vmouse
