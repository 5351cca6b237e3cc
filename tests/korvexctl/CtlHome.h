#pragma once
// A private home for korvexctl (preferences, data, lock) with a virtual
// mouse daemon, and the frames the daemon's trace shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CtlProcess.h"

namespace korvex::test {

class CtlHome : public ::testing::Test {
 protected:
  void Start(const std::string& devices) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvexctl-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
    dir_ = tmpl;
    for (const char* sub : {"/data", "/config", "/run"}) std::filesystem::create_directories(dir_ + sub);
    setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (dir_ + "/run").c_str(), 1);
    daemon_ = std::make_unique<VmouseDaemon>(dir_, devices);
    ASSERT_TRUE(daemon_->Ready());
    setenv("KORVEX_VMOUSE", daemon_->Socket().c_str(), 1);
  }
  void TearDown() override {
    daemon_.reset();
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  ProcessResult Ctl(std::vector<std::string> words) {
    words.insert(words.begin(), std::string(KORVEX_BIN_DIR) + "/korvexctl");
    return RunProcess(dir_, words);
  }
  // The bytes of the last frame with this command written to a
  // configuration interface; empty when none was.
  std::vector<std::uint8_t> LastFrame(int command) {
    daemon_->SentCommands();  // gives the trace its moment
    std::istringstream lines(ReadWhole(dir_ + "/trace.txt"));
    std::vector<std::uint8_t> last;
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::string ms, direction, where, hex;
      words >> ms >> direction >> where;
      if (direction != "out" || where.size() < 2 || where.substr(where.size() - 2) != ":2") continue;
      std::vector<std::uint8_t> bytes;
      while (words >> hex) bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex, nullptr, 16)));
      if (bytes.size() > 1 && bytes[1] == command) last = bytes;
    }
    return last;
  }

  std::string dir_;
  std::unique_ptr<VmouseDaemon> daemon_;
};

}  // namespace korvex::test
