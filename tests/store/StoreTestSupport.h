#pragma once
// Shared helpers of the store tests: a private data folder per test and a
// second, independent SQLite connection to look at what the store wrote.

#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace korvex::test {

class TempDataFolder {
 public:
  explicit TempDataFolder(bool withDbFolder = true) {
    static std::atomic<int> counter{0};
    root_ = std::filesystem::temp_directory_path() /
            ("korvex-store-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    if (withDbFolder) std::filesystem::create_directories(root_ / "db");
  }
  ~TempDataFolder() {
    std::error_code error;
    std::filesystem::permissions(root_ / "db", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(root_, error);
  }
  TempDataFolder(const TempDataFolder&) = delete;
  TempDataFolder& operator=(const TempDataFolder&) = delete;

  std::string Path() const { return root_.string(); }
  std::filesystem::path DbFolder() const { return root_ / "db"; }
  std::string FileOf(const std::string& model) const {
    return (root_ / "db" / (model + "_data1.db")).string();
  }

 private:
  std::filesystem::path root_;
};

// A look at a database file through its own connection.
class Inspector {
 public:
  explicit Inspector(const std::string& path) {
    // Read-write: a journal left by a killed writer is rolled back first.
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  }
  ~Inspector() { sqlite3_close(db_); }
  Inspector(const Inspector&) = delete;
  Inspector& operator=(const Inspector&) = delete;

  // First column of the first row as text; "<none>" without a row,
  // "<error N>" when the query fails.
  std::string Text(const std::string& sql) const {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr);
    if (rc != SQLITE_OK) return "<error " + std::to_string(rc) + ">";
    rc = sqlite3_step(statement);
    std::string result = "<none>";
    if (rc == SQLITE_ROW) {
      const auto* text = sqlite3_column_text(statement, 0);
      result = text ? reinterpret_cast<const char*>(text) : "";
    } else if (rc != SQLITE_DONE) {
      result = "<error " + std::to_string(rc) + ">";
    }
    sqlite3_finalize(statement);
    return result;
  }
  int Int(const std::string& sql) const { return std::atoi(Text(sql).c_str()); }

 private:
  sqlite3* db_ = nullptr;
};

// True when permission bits do not stop this process (root, CAP_DAC_OVERRIDE).
inline bool PermissionsAreIgnored(const std::filesystem::path& readOnlyFolder) {
  return access(readOnlyFolder.c_str(), W_OK) == 0;
}

}  // namespace korvex::test
