#pragma once
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sim/VirtualMouseHub.h"
#include "transport/virtual/VmouseWire.h"
#include "transport/virtual/WireFramer.h"

namespace korvex::sim {

struct ServerOptions {
  std::string socketPath;
  std::string devices;    // device list; empty = default roster
  std::string stateFile;  // flash kept across runs; empty = none
  std::string traceFile;  // one line per report; empty = none
};

// The korvex-vmouse daemon: serves the hub's devices to any number of
// clients on a Unix socket with one epoll loop. Input reports are pushed at
// once to the clients that opened their interface, each with the time its
// 1 ms frame comes; a write is answered at once with the time its writer may
// return. The clients keep that timing (both ends read the same monotonic
// clock), so the daemon is woken only by its clients. A client that sends a
// malformed or oversized message is told why and dropped; one that vanishes
// mid-message is dropped; the others are served on.
class VmouseServer {
 public:
  explicit VmouseServer(ServerOptions options);
  ~VmouseServer();
  VmouseServer(const VmouseServer&) = delete;
  VmouseServer& operator=(const VmouseServer&) = delete;

  // Loads the state file, opens the trace and the socket. False with a
  // reason when the daemon cannot serve.
  bool Start(std::string& error);
  // Serves until SIGTERM or SIGINT (blocked by the caller and read here),
  // then saves the state. Returns the process exit code.
  int Run();

 private:
  struct Client {
    int fd = -1;
    vmouse::WireFramer framer;
    std::vector<std::uint8_t> out;
    std::set<VirtualMouseHub::Handle> handles;
    bool watching = false;
    bool wantsOut = false;
  };

  bool OpenSocket(std::string& error);
  void LoadState();
  bool SaveState();
  void Accept();
  void ReadClient(std::uint64_t id);
  void Handle(std::uint64_t id, Client& c, vmouse::WireMessage& m);
  void HandleWrite(Client& c, const vmouse::WireMessage& m);
  void Queue(Client& c, const vmouse::WireMessage& m);
  void Flush(std::uint64_t id, Client& c);
  void Drop(std::uint64_t id, const char* why);
  SimClock::time_point Pump();
  void PumpHandles();
  SimClock::time_point MaybeSave();
  void ArmTimer(SimClock::time_point when);
  void UpdateEpoll(std::uint64_t id, Client& c);

  ServerOptions options_;
  std::shared_ptr<VirtualMouseHub> hub_;
  int listenFd_ = -1, epollFd_ = -1, timerFd_ = -1, signalFd_ = -1;
  std::map<std::uint64_t, Client> clients_;
  std::uint64_t nextClient_ = 16;  // ids below are the fixed descriptors
  std::mutex eventMutex_;
  std::vector<HidDeviceEvent> events_;
  FILE* trace_ = nullptr;
  std::uint64_t savedGeneration_ = 0;
  SimClock::time_point lastSave_{};
  bool stop_ = false;
};

}  // namespace korvex::sim
