#include "platform/Log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Log, WritesToNamedFileAndDiscardsWithoutTarget) {
  const auto file = std::filesystem::temp_directory_path() / "korvex-log-test.txt";
  std::filesystem::remove(file);
  setenv("KORVEX_LOG", file.c_str(), 1);
  korvex::ReopenLog();
  korvex::LogLine(2, "Exchange failed, cmd %02X", 0x03);
  const std::string text = ReadAll(file);
  EXPECT_NE(text.find("[2] Exchange failed, cmd 03"), std::string::npos) << text;

  unsetenv("KORVEX_LOG");
  korvex::ReopenLog();
  korvex::LogLine(2, "not written");
  EXPECT_EQ(ReadAll(file), text);
  std::filesystem::remove(file);
}

}  // namespace
