// The HTTP client against a local server: only complete 2xx answers within
// the limits count, and nothing partial is left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "sim/UpdateServer.h"
#include "update/HttpClient.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using sim::HttpAnswer;

HttpAnswer Answer(int status, std::string body, HttpAnswer::Behaviour b = HttpAnswer::Behaviour::kServe) {
  HttpAnswer a;
  a.status = status;
  a.body = std::move(body);
  a.behaviour = b;
  return a;
}

// Short stall limits, so a stalled answer fails within a second or two.
HttpLimits Quick(std::int64_t maxBytes) { return HttpLimits{2, 1024, 1, maxBytes}; }

class HttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Start());
    std::string tmpl = (fs::temp_directory_path() / "korvex-http-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
    dir_ = tmpl;
  }
  void TearDown() override {
    server_.Stop();
    fs::remove_all(dir_);
  }
  std::string Url(const std::string& path) const { return server_.Origin() + path; }
  std::vector<std::string> Files() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir_)) out.push_back(e.path().filename().string());
    return out;
  }

  sim::UpdateServer server_;
  std::string dir_;
};

TEST_F(HttpTest, TextOfASuccessfulAnswerUpToTheFirstZeroWithTheAgentName) {
  server_.Set("/fw/mouse/version", Answer(200, std::string("131\0junk", 8)));
  std::string text;
  EXPECT_EQ(kHttpOk, FetchText(Url("/fw//mouse/version"), text));
  EXPECT_EQ("131", text);
  EXPECT_EQ(kUpdateAgent, server_.LastAgent());
}

TEST_F(HttpTest, ErrorPagesOversizedAndStalledAnswersGiveNoText) {
  server_.Set("/404", Answer(404, "1.9"));
  server_.Set("/500", Answer(500, "2"));
  server_.Set("/big", Answer(200, std::string(1025, '7')));
  server_.Set("/stall", Answer(200, "1", HttpAnswer::Behaviour::kStall));
  for (const char* path : {"/404", "/500", "/big", "/stall"}) {
    std::string text = "previous";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(kHttpFailed, FetchText(Url(path), text, Quick(1024))) << path;
    EXPECT_EQ("", text) << path;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << path;
  }
  std::string text;
  EXPECT_EQ(kHttpOk, FetchText(Url("/big"), text, Quick(2048)));  // the limit is what decides
  EXPECT_EQ(1025u, text.size());
}

TEST_F(HttpTest, DownloadRenamesOnlyACompleteAnswer) {
  const std::string body(300 * 1024, 'z');
  server_.Set("/pkg.zip", Answer(200, body));
  server_.Set("/cut.zip", Answer(200, body, HttpAnswer::Behaviour::kCut));
  server_.Set("/gone.zip", Answer(404, "not here"));
  const std::string path = dir_ + "/pkg.zip";

  ASSERT_EQ(kHttpOk, DownloadFile(Url("/pkg.zip"), path, Quick(1 << 20)));
  EXPECT_EQ(body.size(), fs::file_size(path));

  // Each failure also removes what an earlier run left at the path.
  for (const char* bad : {"/cut.zip", "/gone.zip"}) {
    std::ofstream(path) << "old";
    EXPECT_EQ(kHttpFailed, DownloadFile(Url(bad), path, Quick(1 << 20))) << bad;
    EXPECT_TRUE(Files().empty()) << bad;
  }
  EXPECT_EQ(kHttpFailed, DownloadFile(Url("/pkg.zip"), path, Quick(100 * 1024)));
  EXPECT_TRUE(Files().empty());
  EXPECT_EQ(kHttpFailed, DownloadFile(Url("/pkg.zip"), dir_ + "/no/such/folder/p.zip", Quick(1 << 20)));
}

TEST_F(HttpTest, UnreachableServerFailsQuickly) {
  const int port = server_.Port();
  server_.Stop();
  std::string text;
  EXPECT_EQ(kHttpFailed, FetchText("http://127.0.0.1:" + std::to_string(port) + "/version", text, Quick(1024)));
  EXPECT_EQ(kHttpFailed, FetchText("file:///etc/hostname", text, Quick(1024)));  // only http and https
  EXPECT_EQ("", text);
}

}  // namespace
}  // namespace korvex
