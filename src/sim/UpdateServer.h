#pragma once
// A small HTTP/1.1 server on the loopback interface that plays the update
// server: fixed answers per path, optionally from a folder, and the hostile
// behaviours a real server may show (error pages, answers that stall, are
// cut short or never end). Each connection is answered on a thread of its
// own and closed after one answer.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace korvex::sim {

struct HttpAnswer {
  enum class Behaviour {
    kServe,  // status, headers and the whole body
    kStall,  // accept, read the request, then send nothing until stopped
    kCut,    // announce the whole body, send half of it, close
  };
  int status = 200;
  std::string body;
  // When above 0, the body is this many bytes of 'x' (generated as sent).
  std::uint64_t generatedBytes = 0;
  Behaviour behaviour = Behaviour::kServe;
};

class UpdateServer {
 public:
  UpdateServer();
  ~UpdateServer();
  UpdateServer(const UpdateServer&) = delete;
  UpdateServer& operator=(const UpdateServer&) = delete;

  // Listens on 127.0.0.1:port (0: a free port). False when it cannot.
  bool Start(int port = 0);
  void Stop();
  int Port() const { return port_; }
  // "http://127.0.0.1:<port>"
  std::string Origin() const;

  // The answer for a path. Paths are matched with runs of "/" taken as one,
  // as the update addresses hold "//" where a base meets a file name.
  void Set(const std::string& path, HttpAnswer answer);
  // Paths without an answer of their own are served from this folder (no
  // ".." parts); empty: 404.
  void ServeFolder(const std::string& folder);

  // Request lines seen ("GET /path"), and the last request's agent.
  std::vector<std::string> Requests() const;
  std::string LastAgent() const;

  static std::string CollapseSlashes(const std::string& path);

 private:
  void AcceptLoop();
  void Handle(int fd);
  HttpAnswer Lookup(const std::string& path) const;
  bool WaitStopped(int ms);

  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptThread_;
  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  std::map<std::string, HttpAnswer> answers_;
  std::string folder_;
  std::vector<std::string> requests_;
  std::string lastAgent_;
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::vector<Worker> workers_;
};

}  // namespace korvex::sim
