#pragma once
// The per-model settings database and every query the program runs on it.
// One process-wide object (Instance) serves the interface and worker threads;
// each operation holds the store's recursive lock for its whole run, and so do
// the file operations, so a model switch or a restore of defaults can never
// close or delete the connection under another thread's statement.
//
// Results: bool, a new row id or 0, or a count. Nothing throws and nothing is
// shown; without a connection every operation fails quietly.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "store/SQLiteDB.h"
#include "store/StoreRecords.h"

namespace korvex {

class SettingsStore {
 public:
  // The program's one store, created on first use.
  static SettingsStore& Instance();

  // A separate store with its own connection (tests, tools).
  SettingsStore() = default;
  ~SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // "<dataFolder>/db/<modelName>_data1.db"; dataFolder may lack the slash.
  static std::string ModelFilePath(const std::string& dataFolder, const std::string& modelName);

  // Holds the store's lock across several operations (e.g. a read followed
  // by a write that must not interleave with the other thread).
  std::unique_lock<std::recursive_mutex> HoldLock();

  // Runs `work` under the lock as one transaction: committed when it
  // returns true, rolled back (nothing of it kept) when it returns false or
  // the commit fails. False without a connection. Operations inside must
  // not open transactions of their own (CreateProfile, InsertMacroEvents).
  bool RunTransaction(const std::function<bool()>& work);

  // ---- database file
  bool OpenForModel(const std::string& dataFolder, const std::string& modelName);
  bool CreateSchema();
  void DeleteModelFile(const std::string& dataFolder, const std::string& modelName);
  void CloseIfOpen();
  // Model switch: close, then open the model's file (created when missing).
  bool SwitchModel(const std::string& dataFolder, const std::string& modelName);
  // Restore of defaults: close, delete the model's file, create it anew.
  bool RestoreDefaults(const std::string& dataFolder, const std::string& modelName);
  bool IsOpen();
  std::string Path();
  // Told (from, to) when a damaged database file is moved aside and a new one
  // is made in its place, so that the user can be told where the old one went.
  // Called with the store's lock held: the listener must only pass it on.
  using SetAsideListener = std::function<void(const std::string& from, const std::string& to)>;
  void SetSetAsideListener(SetAsideListener listener);

  // ---- configuration values (t_configdata)
  bool SetValue(ProfileId profile, const std::string& key, const std::string& value);
  bool GetValue(ProfileId profile, const std::string& key, std::string& value);
  // GetValue that tells a key without a row from a read that failed.
  enum class Lookup { Found, Missing, Failed };
  Lookup FindValue(ProfileId profile, const std::string& key, std::string& value);
  // Several values of one profile in one transaction: all are stored or,
  // when any statement fails, none.
  bool SetValues(ProfileId profile, const std::vector<std::pair<std::string, std::string>>& values);
  void InsertDefaultValues(ProfileId profile);

  // ---- profiles (t_profile_data)
  ProfileId CreateProfile(const ProfileRecord& record);
  bool RenameProfile(ProfileId profile, const std::string& name);
  bool GetProfileName(ProfileId profile, std::string& name);
  int ListProfiles(std::vector<ProfileRecord>& list);
  bool ActivateProfile(ProfileId profile);
  ProfileId GetActiveProfile();

  // ---- button assignments (t_key_macro_data); the layer is always 0
  int SetKeyAssignment(const KeyAssignmentRecord& record);
  bool GetKeyAssignment(ProfileId profile, int layer, int keyCode, KeyAssignmentRecord& record);
  bool SetKeyAssignmentText(ProfileId profile, int layer, int keyCode, const std::string& text);
  int ListKeyAssignments(ProfileId profile, int layer, std::vector<KeyAssignmentRecord>& list);
  bool DeleteKeyAssignments(ProfileId profile);

  // ---- lighting modes (t_light_data)
  int CountLights(ProfileId profile);
  int InsertLight(const LightRecord& record);
  bool UpdateLight(ProfileId profile, int mode, const LightRecord& record);
  bool SetActiveLightMode(ProfileId profile, int mode);
  int GetActiveLightMode(ProfileId profile);
  bool GetLight(ProfileId profile, int mode, LightRecord& record);
  int ListLights(ProfileId profile, std::vector<LightRecord>& list);
  bool DeleteLights(ProfileId profile);

  // ---- macros (t_macro_data, t_macrorecord)
  int CreateMacro(const std::string& name);
  int InsertMacro(const MacroInfo& info);
  bool RenameMacro(int macroId, const std::string& name);
  bool UpdateMacro(const MacroInfo& info);
  bool DeleteMacro(int macroId);
  bool GetMacro(int macroId, MacroInfo& info);
  int ListMacros(std::vector<MacroInfo>& list);
  int InsertMacroEvent(const MacroEventRecord& record);
  void InsertMacroEvents(const std::vector<MacroEventRecord>& records);
  int ListMacroEvents(int macroId, std::vector<MacroEventRecord>& list);
  bool DeleteMacroEvents(int macroId);
  // The event list of a macro replaced in one transaction, under the lock,
  // so that the worker never reads the list half-written (it may be
  // uploading that macro) and a failure keeps the old list. True when done.
  bool ReplaceMacroEvents(int macroId, const std::vector<MacroEventRecord>& records);
  // A macro and its events stored together: on any failure nothing is left
  // behind and 0 is returned; otherwise the new macro_id. The events'
  // macro_id is set to the new id.
  int ImportMacro(const MacroInfo& info, const std::vector<MacroEventRecord>& records);
  // The macro data stream last acknowledged by the mouse for a button, as
  // hexadecimal text, so that the macro page can tell when a bound macro was
  // edited after its upload. The table is created on first use.
  bool RecordMacroUpload(int keyCode, const std::string& streamHex);
  bool GetMacroUpload(int keyCode, std::string& streamHex);

  // ---- batches

 private:
  using Guard = std::lock_guard<std::recursive_mutex>;

  bool OpenExistingLocked();
  bool MoveDamagedFileAsideLocked();
  bool RunSchemaLocked();
  // Gives every profile the configuration keys it lacks, with their defaults
  // (a file whose value table was lost or cut short).
  void FillMissingValuesLocked();
  int NewRowId() const;
  class RollbackScope;
  bool InsertEventsLocked(int macroId, const std::vector<MacroEventRecord>& records);

  SQLiteDB db_;
  std::recursive_mutex mutex_;
  std::string path_;
  bool isOpen_ = false;
  SetAsideListener setAsideListener_;
};

}  // namespace korvex
