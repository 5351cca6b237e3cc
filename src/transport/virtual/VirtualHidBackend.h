#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "transport/HidBackend.h"
#include "transport/virtual/HidEventPump.h"

namespace korvex {

namespace vmouse {
class VmouseConnection;
}

// HidBackend of the virtual mouse process: every call goes over the Unix
// socket that korvex-vmouse serves (the program picks this backend when
// KORVEX_VMOUSE names that socket). A broken connection is re-opened by the
// next Enumerate, Open or SetEventSink; handles opened before stay dead
// (their reads return -1). Events reach the sink on the backend's own thread.
class VirtualHidBackend : public HidBackend {
 public:
  explicit VirtualHidBackend(std::string socketPath);
  ~VirtualHidBackend() override;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
  bool SetEventSink(EventSink sink) override;

  // True while a connection to the daemon is up (connects if needed).
  bool Connect();

  // How long a request waits for the daemon's answer.
  static constexpr int kRequestTimeoutMs = 3000;

 private:
  std::shared_ptr<vmouse::VmouseConnection> Connection();

  const std::string socketPath_;
  std::mutex mutex_;
  std::shared_ptr<vmouse::VmouseConnection> connection_;
  bool watching_ = false;
  // Shared with the connection's event callback, which may still be running
  // on the reader thread while the backend goes away.
  std::shared_ptr<HidEventPump> pump_ = std::make_shared<HidEventPump>();
};

}  // namespace korvex
