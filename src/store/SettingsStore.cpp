#include "store/SettingsStore.h"

#include <sqlite3.h>

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "platform/Log.h"
#include "store/SQLiteStatement.h"
#include "store/StoreSchema.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

constexpr int kOpenExisting = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
constexpr int kOpenOrCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

// Files SQLite keeps beside a database; they belong to it and must follow it
// when it is moved or deleted, or a stale journal would be replayed into the
// fresh file that takes its name.
constexpr const char* kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

bool FileExists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

std::string LocalTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

enum class Health { Sound, Damaged, Unreadable };

// quick_check reads every page's structure; "not a database" or corruption
// means the file is damaged, any other error (locked, no permission) is not
// the file's fault and leaves it alone.
Health CheckHealth(SQLiteDB& db) {
  SQLiteStatement check;
  int rc = db.Prepare(check, "PRAGMA quick_check", -1);
  if (rc == SQLITE_OK) rc = check.Step();
  if (rc == SQLITE_ROW) {
    const std::string verdict = check.ColumnString(0);
    return verdict == "ok" ? Health::Sound : Health::Damaged;
  }
  if (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) return Health::Damaged;
  return Health::Unreadable;
}

// Every table of the schema exists with exactly its columns. A table with
// other columns would make every statement on it fail, and the program would
// then run on defaults as if the user had never set anything.
bool SchemaMatches(SQLiteDB& db) {
  for (const SchemaTable& table : SchemaTables()) {
    SQLiteStatement info;
    const std::string sql = "PRAGMA table_info(" + table.name + ")";
    if (db.Prepare(info, sql.c_str(), -1) != SQLITE_OK) return false;
    std::vector<std::string> columns;
    while (info.Step() == SQLITE_ROW) columns.push_back(info.ColumnString(1));
    if (columns != table.columns) return false;
  }
  return true;
}

}  // namespace

SettingsStore& SettingsStore::Instance() {
  static SettingsStore store;
  return store;
}

std::string SettingsStore::ModelFilePath(const std::string& dataFolder,
                                         const std::string& modelName) {
  std::string path = dataFolder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + "db/" + modelName + "_data1.db";
}

std::unique_lock<std::recursive_mutex> SettingsStore::HoldLock() {
  return std::unique_lock<std::recursive_mutex>(mutex_);
}

bool SettingsStore::IsOpen() {
  Guard guard(mutex_);
  return isOpen_;
}

std::string SettingsStore::Path() {
  Guard guard(mutex_);
  return path_;
}

bool SettingsStore::OpenForModel(const std::string& dataFolder, const std::string& modelName) {
  Guard guard(mutex_);
  const std::string path = ModelFilePath(dataFolder, modelName);
  // A connection to another model's file must not answer for this one.
  if (db_.HasConnection() && path != path_) {
    db_.Close();
    isOpen_ = false;
  }
  path_ = path;
  if (FileExists(path_)) {
    isOpen_ = db_.HasConnection() ? true : OpenExistingLocked();
  } else {
    isOpen_ = CreateSchema();
  }
  return isOpen_;
}

bool SettingsStore::OpenExistingLocked() {
  if (!db_.Open(path_.c_str(), "", kOpenExisting)) return false;
  switch (CheckHealth(db_)) {
    case Health::Sound:
      // A file cut short while its schema was written (or an empty one)
      // gets the missing tables; existing ones are left as they are.
      RunSchemaLocked();
      if (!SchemaMatches(db_)) break;  // tables with other columns
      FillMissingValuesLocked();
      return true;
    case Health::Unreadable:
      db_.Close();
      return false;
    case Health::Damaged:
      break;
  }
  db_.Close();
  if (!MoveDamagedFileAsideLocked()) return false;
  return CreateSchema();
}

bool SettingsStore::MoveDamagedFileAsideLocked() {
  const std::string base = path_ + ".damaged-" + LocalTimeStamp();
  std::string target = base;
  for (int n = 2; FileExists(target); ++n) target = base + "-" + std::to_string(n);
  if (std::rename(path_.c_str(), target.c_str()) != 0) {
    LogLine(2, "Settings database %s is damaged and could not be moved aside", path_.c_str());
    return false;
  }
  for (const char* suffix : kCompanionSuffixes) {
    const std::string companion = path_ + suffix;
    if (FileExists(companion)) std::rename(companion.c_str(), (target + suffix).c_str());
  }
  LogLine(2, "Settings database %s is damaged; moved to %s and created anew", path_.c_str(),
          target.c_str());
  if (setAsideListener_) setAsideListener_(path_, target);
  return true;
}

bool SettingsStore::CreateSchema() {
  Guard guard(mutex_);
  if (db_.HasConnection()) return true;
  if (!db_.Open(path_.c_str(), "", kOpenOrCreate)) return false;
  return RunSchemaLocked();
}

bool SettingsStore::RunSchemaLocked() {
  bool allSucceeded = true;
  for (const char* statement : SchemaStatements()) {
    if (db_.Exec(statement) != SQLITE_OK) allSucceeded = false;
  }
  return allSucceeded;
}

void SettingsStore::DeleteModelFile(const std::string& dataFolder, const std::string& modelName) {
  Guard guard(mutex_);
  const std::string path = ModelFilePath(dataFolder, modelName);
  // Writes through a connection to an unlinked file would vanish unseen.
  if (db_.HasConnection() && path == path_) {
    db_.Close();
    isOpen_ = false;
  }
  std::remove(path.c_str());
  for (const char* suffix : kCompanionSuffixes) std::remove((path + suffix).c_str());
}

void SettingsStore::CloseIfOpen() {
  Guard guard(mutex_);
  if (!isOpen_) return;
  db_.Close();
  isOpen_ = false;
}

bool SettingsStore::SwitchModel(const std::string& dataFolder, const std::string& modelName) {
  Guard guard(mutex_);
  CloseIfOpen();
  return OpenForModel(dataFolder, modelName);
}

bool SettingsStore::RestoreDefaults(const std::string& dataFolder, const std::string& modelName) {
  Guard guard(mutex_);
  CloseIfOpen();
  DeleteModelFile(dataFolder, modelName);
  return OpenForModel(dataFolder, modelName);
}

void SettingsStore::SetSetAsideListener(SetAsideListener listener) {
  Guard guard(mutex_);
  setAsideListener_ = std::move(listener);
}

int SettingsStore::NewRowId() const {
  return static_cast<int>(db_.LastInsertRowId());
}

}  // namespace korvex
