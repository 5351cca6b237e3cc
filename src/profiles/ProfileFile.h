#pragma once
// The profile exchange file: a profile's button rows, lighting rows (models
// with lighting), DPI stages and performance and power values as XML.
//
// Export writes what the store holds. Import reads into the current profile
// in one store transaction: every value is checked against its key's range
// and a value that fails is skipped (the stored one stays); a file that is
// too large, unreadable, not well formed or has no `profile` element, or a
// store failure half-way, leaves the profile exactly as it was.

#include <cstddef>
#include <string>
#include <string_view>

#include "store/StoreRecords.h"

namespace korvex {

class SettingsStore;

// Files above this are refused before they are parsed.
constexpr std::size_t kMaxProfileFileBytes = 1024 * 1024;

// The document of `profile`: its button rows, lighting rows (when
// hasLighting) and values, with `name` (the text the profile label shows)
// on `profileinfo`.
std::string BuildProfileDocument(SettingsStore& store, ProfileId profile, const std::string& name,
                                 bool hasLighting);
// The same written to `path` (replaced atomically); false when it cannot be.
bool ExportProfile(SettingsStore& store, ProfileId profile, const std::string& name, bool hasLighting,
                   const std::string& path);

enum class ImportStatus {
  kImported,
  kMissing,      // no such file, or it cannot be read
  kTooLarge,     // above kMaxProfileFileBytes
  kMalformed,    // not well-formed XML
  kNotAProfile,  // no `profile` element
  kStoreFailed,  // the store refused a write: everything was rolled back
};

struct ImportOutcome {
  ImportStatus status = ImportStatus::kMissing;
  std::string name;      // the profile's new name
  int skippedValues = 0; // values and items refused by their range checks
};

// The new name of the profile from the file's title: the file name without
// its folder, less its last four characters (".xml"); counted in characters,
// never cutting one apart.
std::string ProfileNameOfFileTitle(const std::string& fileTitle);

ImportOutcome ImportProfile(SettingsStore& store, ProfileId current, const std::string& path, bool hasLighting);
// The same from bytes already read, with the file's title.
ImportOutcome ImportProfileBytes(SettingsStore& store, ProfileId current, std::string_view bytes,
                                 const std::string& fileTitle, bool hasLighting);

const char* ImportStatusText(ImportStatus status);

}  // namespace korvex
