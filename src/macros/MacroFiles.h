#pragma once
// The two macro exchange files: one macro with its events ("macroinfo" and
// "macroitems" under the root "macro") and every macro ("macro_item", each
// with a "record_item" when it has events). A file is untrusted input: it
// is read whole and checked before anything is stored, events the mouse
// could not play are skipped, numbers are brought into their ranges, and
// each macro goes into the store with its events in one transaction.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

class SettingsStore;

inline constexpr std::size_t kMaxMacroFileBytes = 1024 * 1024;
inline constexpr int kMaxMacroFileItems = 10000;
inline constexpr int kMaxImportedDelay = 31000;
inline constexpr int kMaxKeyCode = 666;

enum class MacroFileStatus {
  kOk,
  kUnreadable,    // missing or unreadable file
  kTooLarge,      // over 1 MiB
  kNotXml,        // not well formed, or no root "macro"
  kWrongLayout,   // no "macroinfo" (one macro) or no "macro_item" (all)
  kTooManyItems,  // more than 10,000 events in the file
};

struct ImportedMacro {
  int id = 0;
  std::string name;
};

struct MacroImport {
  MacroFileStatus status = MacroFileStatus::kOk;
  std::vector<ImportedMacro> macros;  // stored, in file order
  int skippedItems = 0;               // events dropped as unplayable
  int refusedMacros = 0;              // macros the store did not take
};

const char* MacroFileStatusText(MacroFileStatus status);

// The single-macro file of a stored macro; `shownName` is the name as the
// macro list shows it. False when the macro is missing or the file cannot
// be written.
bool ExportMacroFile(SettingsStore& store, int macroId, const std::string& shownName, const std::string& path);
// Every stored macro, in store order, with its stored name.
bool ExportAllMacrosFile(SettingsStore& store, const std::string& path);

MacroImport ImportMacroFile(SettingsStore& store, const std::string& path);
MacroImport ImportAllMacrosFile(SettingsStore& store, const std::string& path);
// The same from the bytes of a file.
MacroImport ImportMacroBytes(SettingsStore& store, std::string_view bytes, bool allMacrosLayout);

}  // namespace korvex
