#include "update/HttpClient.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/Log.h"

namespace korvex {
namespace {

bool GlobalInit() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] { ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  return ok;
}

// Where the body goes, and how much of it has arrived.
struct Sink {
  std::string* text = nullptr;
  int fd = -1;
  std::int64_t received = 0;
  std::int64_t maxBytes = 0;
  bool failed = false;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
  Sink& sink = *static_cast<Sink*>(user);
  const std::size_t bytes = size * count;
  sink.received += static_cast<std::int64_t>(bytes);
  // Returning less than was given makes curl end the transfer with an error.
  if (sink.maxBytes > 0 && sink.received > sink.maxBytes) return 0;
  if (sink.text) {
    sink.text->append(data, bytes);
    return bytes;
  }
  std::size_t done = 0;
  while (done < bytes) {
    const ssize_t n = ::write(sink.fd, data + done, bytes - done);
    if (n <= 0) {
      sink.failed = true;
      return 0;
    }
    done += static_cast<std::size_t>(n);
  }
  return bytes;
}

class Transfer {
 public:
  Transfer() : curl_(GlobalInit() ? curl_easy_init() : nullptr) {}
  ~Transfer() {
    if (headers_) curl_slist_free_all(headers_);
    if (curl_) curl_easy_cleanup(curl_);
  }
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  bool Ready() const { return curl_ != nullptr; }

  // True for a complete 2xx answer.
  bool Get(const std::string& url, const HttpLimits& limits, Sink& sink) {
    headers_ = curl_slist_append(headers_, "Accept: */*");
    // A fresh copy every time: nothing in between may answer from a cache.
    headers_ = curl_slist_append(headers_, "Cache-Control: no-cache");
    headers_ = curl_slist_append(headers_, "Pragma: no-cache");
    curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl_, CURLOPT_USERAGENT, kUpdateAgent);
    curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl_, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, limits.connectTimeoutS);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytes);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, limits.lowSpeedTimeS);
    if (limits.maxBytes > 0)
      curl_easy_setopt(curl_, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &sink);
    const CURLcode code = curl_easy_perform(curl_);
    long status = 0;
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
    if (code != CURLE_OK || status < 200 || status > 299 || sink.failed) {
      LogLine(2, "HTTP GET %s failed: %s, status %ld", url.c_str(), curl_easy_strerror(code), status);
      return false;
    }
    return true;
  }

 private:
  CURL* curl_;
  curl_slist* headers_ = nullptr;
};

}  // namespace

int FetchText(const std::string& url, std::string& text, const HttpLimits& limits) {
  text.clear();
  Transfer transfer;
  if (!transfer.Ready()) return kHttpNoClient;
  std::string body;
  Sink sink;
  sink.text = &body;
  sink.maxBytes = limits.maxBytes;
  if (!transfer.Get(url, limits, sink)) return kHttpFailed;
  text = body.substr(0, body.find('\0'));
  return kHttpOk;
}

int DownloadFile(const std::string& url, const std::string& path, const HttpLimits& limits) {
  ::unlink(path.c_str());
  Transfer transfer;
  if (!transfer.Ready()) return kHttpNoClient;
  std::string partial = path + ".part-XXXXXX";
  const int fd = ::mkstemp(partial.data());
  if (fd < 0) return kHttpFailed;
  Sink sink;
  sink.fd = fd;
  sink.maxBytes = limits.maxBytes;
  bool ok = transfer.Get(url, limits, sink);
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(partial.c_str(), path.c_str()) != 0) {
    ::unlink(partial.c_str());
    return kHttpFailed;
  }
  return kHttpOk;
}

}  // namespace korvex
