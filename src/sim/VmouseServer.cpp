#include "sim/VmouseServer.h"

#include <sys/epoll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/Log.h"
#include "sim/VmouseControl.h"
#include "transport/virtual/UnixSocket.h"

namespace korvex::sim {
namespace {

using vmouse::MessageType;
using vmouse::WireMessage;

constexpr std::uint64_t kListenId = 1, kTimerId = 2, kSignalId = 3;
constexpr std::size_t kClientOutLimit = 16 * 1024 * 1024;  // a client that never reads
constexpr auto kSaveInterval = std::chrono::milliseconds(250);

WireMessage Answer(MessageType type, std::uint32_t id) {
  WireMessage m;
  m.type = type;
  m.id = id;
  return m;
}

}  // namespace

VmouseServer::VmouseServer(ServerOptions options) : options_(std::move(options)) {}

VmouseServer::~VmouseServer() {
  for (auto& [id, c] : clients_) ::close(c.fd);
  for (int fd : {listenFd_, epollFd_, timerFd_, signalFd_})
    if (fd >= 0) ::close(fd);
  if (listenFd_ >= 0) ::unlink(options_.socketPath.c_str());
  if (hub_) hub_->SetTraceSink(nullptr);
  if (trace_) std::fclose(trace_);
}

bool VmouseServer::Start(std::string& error) {
  hub_ = std::make_shared<VirtualMouseHub>(options_.devices);
  if (!hub_->Error().empty()) {
    error = "--devices: " + hub_->Error();
    return false;
  }
  LoadState();
  if (!options_.traceFile.empty()) {
    trace_ = std::fopen(options_.traceFile.c_str(), "w");
    if (!trace_) {
      error = "cannot write trace " + options_.traceFile + ": " + std::strerror(errno);
      return false;
    }
    hub_->SetTraceSink([this](const TraceRecord& r) {
      std::fprintf(trace_, "%s\n", FormatTraceLine(r).c_str());
    });
  }
  hub_->AddListener([this](const HidDeviceEvent& e) {
    std::lock_guard<std::mutex> lock(eventMutex_);
    events_.push_back(e);
  });
  epollFd_ = ::epoll_create1(EPOLL_CLOEXEC);
  timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  signalFd_ = ::signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
  if (epollFd_ < 0 || timerFd_ < 0 || signalFd_ < 0) {
    error = std::string("cannot set up the event loop: ") + std::strerror(errno);
    return false;
  }
  if (!OpenSocket(error)) return false;
  for (auto [fd, id] : {std::pair{listenFd_, kListenId}, {timerFd_, kTimerId}, {signalFd_, kSignalId}}) {
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = id;
    ::epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &ev);
  }
  savedGeneration_ = hub_->FlashGeneration();
  return true;
}

bool VmouseServer::OpenSocket(std::string& error) {
  const std::string& path = options_.socketPath;
  sockaddr_un addr{};
  if (path.empty() || path.size() >= sizeof(addr.sun_path)) {
    error = "socket path empty or too long: " + path;
    return false;
  }
  // A live daemon keeps its socket; a stale file from a crashed one goes.
  if (const int probe = vmouse::ConnectUnixSocket(path); probe >= 0) {
    ::close(probe);
    error = "another korvex-vmouse serves " + path;
    return false;
  }
  ::unlink(path.c_str());
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(fd, 64) != 0) {
    error = "cannot listen on " + path + ": " + std::strerror(errno);
    if (fd >= 0) ::close(fd);
    return false;
  }
  listenFd_ = fd;
  return true;
}

void VmouseServer::LoadState() {
  if (options_.stateFile.empty()) return;
  std::ifstream in(options_.stateFile, std::ios::binary);
  if (!in) return;  // first run: factory flash
  std::stringstream text;
  text << in.rdbuf();
  const int restored = hub_->LoadFlash(text.str());
  LogLine(1, "vmouse: restored flash of %d devices from %s", restored, options_.stateFile.c_str());
}

bool VmouseServer::SaveState() {
  if (options_.stateFile.empty()) return true;
  // Written beside and renamed, so a crash never leaves half a flash image.
  const std::string temp = options_.stateFile + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << hub_->SaveFlash();
    if (!out.flush()) {
      LogLine(2, "vmouse: cannot write %s", temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), options_.stateFile.c_str()) != 0) {
    LogLine(2, "vmouse: cannot replace %s", options_.stateFile.c_str());
    return false;
  }
  return true;
}

int VmouseServer::Run() {
  epoll_event events[32];
  while (!stop_) {
    ArmTimer(Pump());
    const int n = ::epoll_wait(epollFd_, events, 32, -1);
    if (n < 0 && errno != EINTR) {
      LogLine(2, "vmouse: epoll_wait failed: %s", std::strerror(errno));
      break;
    }
    for (int i = 0; i < n; ++i) {
      const std::uint64_t id = events[i].data.u64;
      if (id == kListenId) {
        Accept();
      } else if (id == kTimerId) {
        std::uint64_t expirations = 0;
        [[maybe_unused]] auto r = ::read(timerFd_, &expirations, sizeof expirations);
      } else if (id == kSignalId) {
        stop_ = true;
      } else if (clients_.count(id)) {
        if (events[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR)) ReadClient(id);
        if (clients_.count(id) && (events[i].events & EPOLLOUT)) Flush(id, clients_[id]);
      }
    }
  }
  Pump();
  const bool saved = SaveState();
  if (trace_) std::fflush(trace_);
  return saved ? 0 : 1;
}

void VmouseServer::ArmTimer(SimClock::time_point when) {
  itimerspec timerValue{};
  if (when != SimClock::time_point::max()) {
    // steady_clock is CLOCK_MONOTONIC, so its count is the timer's clock.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch());
    timerValue.it_value.tv_sec = static_cast<time_t>(ns.count() / 1000000000);
    timerValue.it_value.tv_nsec = static_cast<long>(ns.count() % 1000000000);
    if (timerValue.it_value.tv_sec == 0 && timerValue.it_value.tv_nsec == 0) timerValue.it_value.tv_nsec = 1;
  }
  ::timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &timerValue, nullptr);
}

void VmouseServer::Accept() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    const std::uint64_t id = nextClient_++;
    clients_[id].fd = fd;
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = id;
    ::epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &ev);
  }
}

void VmouseServer::Drop(std::uint64_t id, const char* why) {
  auto it = clients_.find(id);
  if (it == clients_.end()) return;
  Client& c = it->second;
  if (why) {
    // Say why before hanging up; best effort, the peer may be gone already.
    WireMessage error = Answer(MessageType::Error, 0);
    error.texts.push_back(why);
    Queue(c, error);
    vmouse::SendAll(c.fd, c.out.data(), c.out.size());
    LogLine(2, "vmouse: dropped a client: %s", why);
  }
  for (auto h : c.handles) hub_->Close(h);
  ::epoll_ctl(epollFd_, EPOLL_CTL_DEL, c.fd, nullptr);
  ::close(c.fd);
  clients_.erase(it);
}

void VmouseServer::ReadClient(std::uint64_t id) {
  std::uint8_t buffer[16 * 1024];
  for (int round = 0; round < 16; ++round) {
    const ssize_t n = ::recv(clients_[id].fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) return Drop(id, nullptr);  // gone, possibly mid-message
    Client& c = clients_[id];
    c.framer.Feed(buffer, static_cast<std::size_t>(n));
    WireMessage m;
    vmouse::WireFramer::Result r;
    while ((r = c.framer.Next(m)) == vmouse::WireFramer::Result::Message) {
      Handle(id, c, m);
      if (!clients_.count(id)) return;
    }
    if (r == vmouse::WireFramer::Result::Broken)
      return Drop(id, "malformed message or oversized length");
  }
}

void VmouseServer::Handle(std::uint64_t id, Client& c, WireMessage& m) {
  switch (m.type) {
    case MessageType::Enumerate: {
      WireMessage a = Answer(MessageType::Interfaces, m.id);
      a.interfaces = hub_->Enumerate();
      return Queue(c, a);
    }
    case MessageType::Open: {
      WireMessage a = Answer(MessageType::Opened, m.id);
      std::string product;
      a.handle = m.texts.size() == 1 ? hub_->Open(m.texts[0], &product, &a.bytes) : 0;
      if (a.handle) c.handles.insert(a.handle);
      a.texts.push_back(product);
      return Queue(c, a);
    }
    case MessageType::Close:
      if (c.handles.erase(m.handle)) hub_->Close(m.handle);
      return;
    case MessageType::Write: return HandleWrite(c, m);
    case MessageType::Watch: c.watching = m.value != 0; return;
    case MessageType::Control: {
      WireMessage a = Answer(MessageType::ControlReply, m.id);
      std::string output;
      a.value = RunControlCommand(*hub_, m.texts, output) ? 0 : 1;
      a.texts.push_back(output);
      return Queue(c, a);
    }
    default: return Drop(id, "unexpected message type");
  }
}

void VmouseServer::HandleWrite(Client& c, const WireMessage& m) {
  SimClock::time_point returnAt;
  WireMessage a = Answer(MessageType::Written, m.id);
  a.value = c.handles.count(m.handle)
                ? hub_->Write(m.handle, m.bytes.data(), m.bytes.size(), &returnAt)
                : -1;
  // Answered at once with the time the writer may return; the client waits
  // for it itself, which keeps the daemon off the path of the next write.
  if (a.value > 0)
    a.time = std::chrono::duration_cast<std::chrono::nanoseconds>(returnAt.time_since_epoch()).count();
  Queue(c, a);
}

void VmouseServer::Queue(Client& c, const WireMessage& m) {
  if (!vmouse::EncodeMessage(m, c.out)) LogLine(2, "vmouse: answer too large, not sent");
}

void VmouseServer::Flush(std::uint64_t id, Client& c) {
  std::size_t sent = 0;
  while (sent < c.out.size()) {
    const ssize_t n = ::send(c.fd, c.out.data() + sent, c.out.size() - sent,
                             MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  c.out.erase(c.out.begin(), c.out.begin() + static_cast<std::ptrdiff_t>(sent));
  if (c.out.size() > kClientOutLimit) return Drop(id, nullptr);
  UpdateEpoll(id, c);
}

void VmouseServer::UpdateEpoll(std::uint64_t id, Client& c) {
  const bool wants = !c.out.empty();
  if (wants == c.wantsOut) return;
  c.wantsOut = wants;
  epoll_event ev{};
  ev.events = EPOLLIN | (wants ? EPOLLOUT : 0u);
  ev.data.u64 = id;
  ::epoll_ctl(epollFd_, EPOLL_CTL_MOD, c.fd, &ev);
}

SimClock::time_point VmouseServer::Pump() {
  std::vector<HidDeviceEvent> events;
  {
    std::lock_guard<std::mutex> lock(eventMutex_);
    events.swap(events_);
  }
  for (const auto& e : events) {
    WireMessage m = Answer(MessageType::Event, 0);
    m.event = e;
    for (auto& [id, c] : clients_)
      if (c.watching) Queue(c, m);
  }
  PumpHandles();
  const auto next = MaybeSave();
  std::vector<std::uint64_t> ids;
  for (const auto& [id, c] : clients_) ids.push_back(id);
  for (auto id : ids)
    if (auto it = clients_.find(id); it != clients_.end() && !it->second.out.empty())
      Flush(id, it->second);
  if (trace_) std::fflush(trace_);
  return next;
}

void VmouseServer::PumpHandles() {
  for (auto& [id, c] : clients_) {
    for (auto it = c.handles.begin(); it != c.handles.end();) {
      std::vector<std::uint8_t> report;
      SimClock::time_point due;
      int r;
      // Sent as soon as they exist, each with the time it becomes readable:
      // the client holds it back until then, so the daemon needs no timer.
      while ((r = hub_->TakeReport(*it, report, due)) == 1) {
        WireMessage m = Answer(MessageType::Input, 0);
        m.handle = *it;
        m.time = std::chrono::duration_cast<std::chrono::nanoseconds>(due.time_since_epoch()).count();
        m.bytes = std::move(report);
        Queue(c, m);
      }
      if (r < 0) {
        WireMessage m = Answer(MessageType::Gone, 0);
        m.handle = *it;
        Queue(c, m);
        hub_->Close(*it);
        it = c.handles.erase(it);
      } else {
        ++it;
      }
    }
  }
}

SimClock::time_point VmouseServer::MaybeSave() {
  if (options_.stateFile.empty()) return SimClock::time_point::max();
  const std::uint64_t generation = hub_->FlashGeneration();
  if (generation == savedGeneration_) return SimClock::time_point::max();
  const auto now = SimClock::now();
  if (now < lastSave_ + kSaveInterval) return lastSave_ + kSaveInterval;
  if (SaveState()) savedGeneration_ = generation;
  lastSave_ = now;
  return SimClock::time_point::max();
}

}  // namespace korvex::sim
