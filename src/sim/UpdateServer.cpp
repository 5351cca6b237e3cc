#include "sim/UpdateServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace korvex::sim {
namespace {

constexpr std::size_t kMaxRequest = 16 * 1024;

bool SendAll(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    const ssize_t n = ::send(fd, data, length, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    length -= static_cast<std::size_t>(n);
  }
  return true;
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

std::string HeaderValue(const std::string& request, const std::string& name) {
  std::istringstream lines(request);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > name.size() + 1 && strncasecmp(line.c_str(), name.c_str(), name.size()) == 0 &&
        line[name.size()] == ':')
      return line.substr(line.find_first_not_of(' ', name.size() + 1));
  }
  return {};
}

}  // namespace

UpdateServer::UpdateServer() = default;

UpdateServer::~UpdateServer() { Stop(); }

std::string UpdateServer::CollapseSlashes(const std::string& path) {
  std::string out;
  for (char c : path)
    if (c != '/' || out.empty() || out.back() != '/') out += c;
  return out;
}

bool UpdateServer::Start(int port) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return false;
  const int one = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  socklen_t length = sizeof address;
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 16) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  port_ = ntohs(address.sin_port);
  stopping_ = false;
  acceptThread_ = std::thread([this] { AcceptLoop(); });
  return true;
}

void UpdateServer::Stop() {
  if (listenFd_ < 0) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  if (acceptThread_.joinable()) acceptThread_.join();
  std::vector<Worker> workers;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    workers.swap(workers_);
  }
  for (Worker& w : workers) w.thread.join();
  ::close(listenFd_);
  listenFd_ = -1;
}

std::string UpdateServer::Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

void UpdateServer::Set(const std::string& path, HttpAnswer answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  answers_[CollapseSlashes(path)] = std::move(answer);
}

void UpdateServer::ServeFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  folder_ = folder;
}

std::vector<std::string> UpdateServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string UpdateServer::LastAgent() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastAgent_;
}

bool UpdateServer::WaitStopped(int ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  return stopped_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping_.load(); });
}

void UpdateServer::AcceptLoop() {
  while (!stopping_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    // Connections that ended are joined here, so a long-running server does
    // not keep a thread per request it ever answered.
    for (auto it = workers_.begin(); it != workers_.end();) {
      if (*it->done) {
        it->thread.join();
        it = workers_.erase(it);
      } else {
        ++it;
      }
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back(Worker{std::thread([this, fd, done] {
                                Handle(fd);
                                ::close(fd);
                                *done = true;
                              }),
                              done});
  }
}

HttpAnswer UpdateServer::Lookup(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = answers_.find(path);
  if (it != answers_.end()) return it->second;
  HttpAnswer answer;
  answer.status = 404;
  answer.body = "none";
  if (folder_.empty() || path.find("..") != std::string::npos) return answer;
  std::ifstream in(folder_ + path, std::ios::binary);
  if (!in) return answer;
  std::ostringstream body;
  body << in.rdbuf();
  answer.status = 200;
  answer.body = body.str();
  return answer;
}

void UpdateServer::Handle(int fd) {
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequest) {
    pollfd p{fd, POLLIN, 0};
    if (stopping_ || ::poll(&p, 1, 100) < 0) return;
    if ((p.revents & POLLIN) == 0) continue;
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  std::istringstream first(request);
  std::string method, target;
  first >> method >> target;
  const std::string path = CollapseSlashes(target.substr(0, target.find('?')));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(method + " " + path);
    lastAgent_ = HeaderValue(request, "User-Agent");
  }
  const HttpAnswer answer = Lookup(path);
  const std::uint64_t size = answer.generatedBytes > 0 ? answer.generatedBytes : answer.body.size();
  if (answer.behaviour == HttpAnswer::Behaviour::kStall) {
    WaitStopped(24 * 3600 * 1000);
    return;
  }
  const std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " " + Reason(answer.status) +
                           "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(size) +
                           "\r\nConnection: close\r\n\r\n";
  if (!SendAll(fd, head.data(), head.size())) return;
  const std::uint64_t toSend = answer.behaviour == HttpAnswer::Behaviour::kCut ? size / 2 : size;
  if (answer.generatedBytes == 0) {
    SendAll(fd, answer.body.data(), static_cast<std::size_t>(toSend));
  } else {
    const std::string chunk(64 * 1024, 'x');
    for (std::uint64_t sent = 0; sent < toSend && !stopping_;) {
      const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), toSend - sent));
      if (!SendAll(fd, chunk.data(), n)) return;
      sent += n;
    }
  }
  if (answer.behaviour == HttpAnswer::Behaviour::kCut) {
    // The rest never comes; the connection ends without it.
    ::shutdown(fd, SHUT_RDWR);
  }
}

}  // namespace korvex::sim
