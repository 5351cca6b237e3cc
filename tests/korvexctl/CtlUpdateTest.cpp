// korvexctl update against the virtual mouse daemon and a local update
// server: what it reports, what it installs and its exit codes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "CtlProcess.h"
#include "sim/UpdateServer.h"
#include "sim/ZipWriter.h"

namespace korvex::test {
namespace {

namespace fs = std::filesystem;

class CtlUpdateTest : public ::testing::Test {
 protected:
  void Start(const std::string& devices, std::size_t imageBytes = 4800) {
    std::string tmpl = (fs::temp_directory_path() / "korvexctl-update-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
    dir_ = tmpl;
    for (const char* sub : {"/data", "/config", "/run"}) fs::create_directories(dir_ + sub);
    setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (dir_ + "/run").c_str(), 1);
    daemon_ = std::make_unique<VmouseDaemon>(dir_, devices);
    ASSERT_TRUE(daemon_->Ready());
    setenv("KORVEX_VMOUSE", daemon_->Socket().c_str(), 1);

    const std::string zip = dir_ + "/fw.zip";
    ASSERT_TRUE(sim::WriteZip(zip, {{"firmware-131.bin", std::string(imageBytes, '\x5A')}}));
    std::ifstream in(zip, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    server_.Set("/firmware/korvex_k1/mouse/version", Body("131\n"));
    server_.Set("/firmware/korvex_k1/mouse/firmware-131.zip", Body(bytes.str()));
    server_.Set("/version", Body("1.0.1"));
    ASSERT_TRUE(server_.Start());
    setenv("KORVEX_UPDATE_SERVER", server_.Origin().c_str(), 1);
  }
  void TearDown() override {
    server_.Stop();
    unsetenv("KORVEX_UPDATE_SERVER");
    daemon_.reset();
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }
  static sim::HttpAnswer Body(std::string text) {
    sim::HttpAnswer a;
    a.body = std::move(text);
    return a;
  }
  ProcessResult Ctl(std::vector<std::string> words) {
    words.insert(words.begin(), std::string(KORVEX_BIN_DIR) + "/korvexctl");
    return RunProcess(dir_, words);
  }
  bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

  std::string dir_;
  std::unique_ptr<VmouseDaemon> daemon_;
  sim::UpdateServer server_;
};

TEST_F(CtlUpdateTest, CheckReportsBothVersionsAndFirmwareYesInstalls) {
  Start("k1");
  ProcessResult r = Ctl({"update", "check"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_TRUE(Has(r.out, "software: current v1.0.0, latest v1.0.1, newer")) << r.out;
  EXPECT_TRUE(Has(r.out, "firmware: current v1.30, latest v1.31, newer")) << r.out;
  r = Ctl({"--json", "update", "check"});
  EXPECT_TRUE(Has(r.out, "\"firmware\":{\"current\":\"130\",\"latest\":\"131\",\"newer\":true}")) << r.out;

  if (!::isatty(STDIN_FILENO)) {
    r = Ctl({"update", "firmware"});  // no terminal to ask on
    EXPECT_EQ(2, r.exitCode);
    EXPECT_TRUE(Has(r.err, "--yes")) << r.err;
  }
  EXPECT_TRUE(Has(daemon_->Control({"status", "k1"}).out, "firmware 130"));

  r = Ctl({"update", "firmware", "--yes"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_TRUE(Has(r.out, "installed firmware v1.31")) << r.out;
  EXPECT_TRUE(Has(r.out, "the mouse reports v1.31")) << r.out;
  EXPECT_TRUE(Has(daemon_->Control({"status", "k1"}).out, "firmware 131"));
  EXPECT_EQ("", r.err) << "no progress on a file";

  r = Ctl({"update", "firmware", "--yes"});
  EXPECT_EQ(0, r.exitCode);
  EXPECT_TRUE(Has(r.out, "is up to date")) << r.out;
  EXPECT_EQ(2, Ctl({"update", "firmware", "--now"}).exitCode);
  EXPECT_EQ(2, Ctl({"update"}).exitCode);
}

TEST_F(CtlUpdateTest, WithoutAMouseOrAServerAndWhenTheMouseRefuses) {
  Start("k1", 1024 * 1024);  // about twenty seconds of reports: time to step in
  daemon_->Control({"unplug", "k1"});
  ProcessResult r = Ctl({"update", "firmware", "--yes"});
  EXPECT_EQ(4, r.exitCode) << r.err;
  r = Ctl({"update", "check"});  // the software part needs no mouse
  EXPECT_EQ(0, r.exitCode) << r.err;
  EXPECT_TRUE(Has(r.out, "software: current v1.0.0, latest v1.0.1, newer")) << r.out;
  EXPECT_TRUE(Has(r.out, "firmware: no supported mouse")) << r.out;
  daemon_->Control({"plug", "k1"});

  // The update interface answers a data report with a refusal (bad CRC).
  ProcessResult refused;
  std::thread ctl([&] { refused = Ctl({"update", "firmware", "--yes"}); });
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_EQ(0, daemon_->Control({"inject", "k1", "3", "0501030000"}).exitCode);
  ctl.join();
  EXPECT_EQ(1, refused.exitCode) << refused.out << refused.err;
  EXPECT_TRUE(Has(refused.err, "refused the firmware (data refused")) << refused.err;
  EXPECT_TRUE(Has(daemon_->Control({"status", "k1"}).out, "firmware 130"));

  server_.Stop();
  r = Ctl({"update", "firmware", "--yes"});
  EXPECT_EQ(7, r.exitCode) << r.err;
  EXPECT_EQ(7, Ctl({"update", "check"}).exitCode);
}

}  // namespace
}  // namespace korvex::test
