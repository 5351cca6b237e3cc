#pragma once
// A private temporary folder with XDG variables pointing into it, and tiny
// executable scripts that record the arguments they were started with.

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace korvex::test {

namespace fs = std::filesystem;

class TempHome {
 public:
  TempHome() {
    root_ = fs::temp_directory_path() / ("korvex-prefs-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(counter_++));
    fs::remove_all(root_);
    fs::create_directories(root_);
    Set("XDG_CONFIG_HOME", (root_ / "config").string());
  }
  ~TempHome() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  void Set(const std::string& name, const std::string& value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    setenv(name.c_str(), value.c_str(), 1);
  }
  const fs::path& Root() const { return root_; }

 private:
  static inline int counter_ = 0;
  fs::path root_;
  std::map<std::string, std::optional<std::string>> saved_;
};

inline void WriteFile(const fs::path& path, const std::string& text, mode_t mode = 0644) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
  ::chmod(path.c_str(), mode);
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A shell script at `path` that writes $0, its arguments and its session id,
// each ended by a NUL byte, to `record` (atomically, via rename).
inline void WriteRecorder(const fs::path& path, const fs::path& record) {
  WriteFile(path,
            "#!/bin/sh\n"
            "out='" + record.string() + "'\n"
            "{ printf '%s\\0' \"$0\"; for a in \"$@\"; do printf '%s\\0' \"$a\"; done;\n"
            "  printf 'sid=%s\\0' \"$(cut -d' ' -f6 /proc/$$/stat)\"; } > \"$out.tmp\" && mv \"$out.tmp\" \"$out\"\n",
            0755);
}

// The recorded fields ($0, arguments..., "sid=N"); empty when the recorder
// has not run within a few seconds.
inline std::vector<std::string> WaitForRecord(const fs::path& record) {
  for (int i = 0; i < 1000 && !fs::exists(record); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::vector<std::string> fields;
  const std::string bytes = ReadFile(record);
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t end = bytes.find('\0', pos);
    if (end == std::string::npos) break;
    fields.push_back(bytes.substr(pos, end - pos));
    pos = end + 1;
  }
  return fields;
}

}  // namespace korvex::test
