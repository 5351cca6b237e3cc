#pragma once
// HTTP GET of update texts and packages on libcurl. The proxy comes from the
// usual environment variables (http_proxy, https_proxy, no_proxy), TLS peers
// are verified, and every transfer is bounded in time and size so that a
// server that stalls or floods cannot hold the worker.

#include <cstdint>
#include <string>

namespace korvex {

struct HttpLimits {
  long connectTimeoutS = 15;
  // A transfer slower than this many bytes per second for lowSpeedTimeS
  // seconds is abandoned.
  long lowSpeedBytes = 1024;
  long lowSpeedTimeS = 30;
  // Largest body taken; a longer one fails the transfer.
  std::int64_t maxBytes = 0;

  static HttpLimits ForText() { return HttpLimits{15, 1024, 30, 1024}; }
  static HttpLimits ForPackage() { return HttpLimits{15, 1024, 30, 256LL * 1024 * 1024}; }
};

enum HttpResult : int {
  kHttpNoClient = 0,  // the HTTP client could not be started
  kHttpOk = 1,
  kHttpFailed = -1,   // not reached, not a 2xx answer, too large, too slow
};

// The agent name sent with every request.
constexpr const char* kUpdateAgent = "IIC2.0/PC 5.5.0000";

// GET of a small text. Only a complete 2xx answer within the limits sets
// text (decoded up to the first zero byte); anything else leaves it empty.
int FetchText(const std::string& url, std::string& text, const HttpLimits& limits = HttpLimits::ForText());

// GET into a file. The body goes to a temporary name beside path and is
// renamed over path only when the transfer completed with a 2xx answer, so a
// failed or cut transfer never leaves a file at path (an old one is deleted
// first).
int DownloadFile(const std::string& url, const std::string& path,
                 const HttpLimits& limits = HttpLimits::ForPackage());

}  // namespace korvex
