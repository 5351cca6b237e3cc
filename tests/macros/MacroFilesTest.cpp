// The two macro exchange files: layouts, the checks on untrusted files, and
// the store left unchanged when a file is refused.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "macros/MacroFiles.h"
#include "macros/MacroUploadState.h"
#include "protocol/MacroCommands.h"
#include "store/SQLiteDB.h"
#include "MacroTestStore.h"

namespace korvex {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

int AddMacro(SettingsStore& store, const std::string& name, int events) {
  const int id = store.CreateMacro(name);
  std::vector<MacroEventRecord> records;
  for (int i = 0; i < events; ++i) {
    MacroEventRecord r;
    r.type = i % 2 == 0 ? 2 : 1;
    r.value = i % 2 == 0 ? 65 : 120;
    r.record_index = i;
    r.delay_time = 1000 + i;
    r.desc = i % 2 == 0 ? "\u2193  A & <b>" : "120 ms";
    records.push_back(r);
  }
  store.ReplaceMacroEvents(id, records);
  return id;
}

int MacroCount(SettingsStore& store) {
  std::vector<MacroInfo> list;
  return store.ListMacros(list);
}

TEST(MacroFiles, SingleMacroFileRoundTripsAndIsWrittenInItsLayout) {
  test::TempStore t;
  const int empty = t.store.CreateMacro("Custom 1");
  const std::string path = t.File("one.xml");
  ASSERT_TRUE(ExportMacroFile(t.store, empty, "Shown 1", path));
  const std::string text = Read(path);
  EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>"));
  EXPECT_NE(std::string::npos,
            text.find("<macroinfo macro_name=\"Shown 1\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
                      "delay_time=\"0\"/>"));
  EXPECT_NE(std::string::npos, text.find("<macroitems/>")) << "written also without events";

  const int full = AddMacro(t.store, "m", 3);
  ASSERT_TRUE(ExportMacroFile(t.store, full, "m", path));
  EXPECT_NE(std::string::npos,
            Read(path).find("<item desc=\"\u2193  A &amp; &lt;b&gt;\" index=\"0\" type=\"2\" value=\"65\" "
                            "timestamp=\"1000\"/>"));
  // Importing twice gives two macros of the same name and the same events.
  for (int round = 0; round < 2; ++round) {
    const MacroImport r = ImportMacroFile(t.store, path);
    ASSERT_EQ(MacroFileStatus::kOk, r.status);
    ASSERT_EQ(1u, r.macros.size());
    EXPECT_EQ("m", r.macros[0].name);
    std::vector<MacroEventRecord> a, b;
    t.store.ListMacroEvents(full, a);
    t.store.ListMacroEvents(r.macros[0].id, b);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].desc, b[i].desc);
      EXPECT_EQ(a[i].value, b[i].value);
      EXPECT_EQ(a[i].delay_time, b[i].delay_time);
    }
  }
  EXPECT_EQ(4, MacroCount(t.store));
}

TEST(MacroFiles, AllMacrosFileCarriesRecordItemsOnlyForMacrosWithEvents) {
  test::TempStore t;
  AddMacro(t.store, "a", 2);
  t.store.CreateMacro("b");
  AddMacro(t.store, "c", 1);
  const std::string path = t.File("all.xml");
  ASSERT_TRUE(ExportAllMacrosFile(t.store, path));
  const std::string text = Read(path);
  auto count = [&](const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(3, count("<macro_item "));
  EXPECT_EQ(2, count("<record_item>"));
  EXPECT_EQ(3, count("<item "));

  test::TempStore other;
  const MacroImport r = ImportAllMacrosFile(other.store, path);
  ASSERT_EQ(MacroFileStatus::kOk, r.status);
  ASSERT_EQ(3u, r.macros.size());
  EXPECT_EQ("b", r.macros[1].name);
  std::vector<MacroEventRecord> events;
  EXPECT_EQ(2, other.store.ListMacroEvents(r.macros[0].id, events));
  EXPECT_EQ(0, other.store.ListMacroEvents(r.macros[1].id, events));

  // Each layout chosen for the other imports nothing.
  EXPECT_EQ(MacroFileStatus::kWrongLayout, ImportMacroFile(other.store, path).status);
  ASSERT_TRUE(ExportMacroFile(t.store, 1, "a", path));
  EXPECT_EQ(MacroFileStatus::kWrongLayout, ImportAllMacrosFile(other.store, path).status);
  EXPECT_EQ(3, MacroCount(other.store));
}

TEST(MacroFiles, UnplayableItemsAreSkippedAndNumbersBroughtIntoRange) {
  test::TempStore t;
  const std::string path = t.File("odd.xml");
  Write(path,
        "<macro><macroinfo macro_name=\"x\" macro_type=\"9\" play_times=\"-4\" delay_type=\"2\" "
        "delay_time=\"999999\"/><macroitems>"
        "<item desc=\"d\" index=\"3\" type=\"1\" value=\"-20\" timestamp=\"5\"/>"
        "<item desc=\"k\" index=\"1\" type=\"2\" timestamp=\"6\"/>"            // no value: 0, no key
        "<item desc=\"k\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"7\"/>"
        "<item desc=\"z\" index=\"0\" type=\"7\" value=\"65\"/>"               // unknown type
        "<item desc=\"b\" index=\"4\" type=\"4\" value=\"3\"/>"                // two buttons at once
        "<item desc=\"b\" index=\"5\" type=\"5\" value=\"16\"/>"
        "<item desc=\"\" index=\"6\" type=\"1\" value=\"65535\"/>"
        "</macroitems></macro>");
  const MacroImport r = ImportMacroFile(t.store, path);
  ASSERT_EQ(MacroFileStatus::kOk, r.status);
  EXPECT_EQ(3, r.skippedItems);
  MacroInfo info;
  ASSERT_TRUE(t.store.GetMacro(r.macros[0].id, info));
  EXPECT_EQ(0, info.play_type);
  EXPECT_EQ(1, info.play_times);
  EXPECT_EQ(10000, info.delay_time);
  std::vector<MacroEventRecord> e;
  ASSERT_EQ(4, t.store.ListMacroEvents(r.macros[0].id, e));
  EXPECT_EQ(3, e[0].type) << "in index order";
  EXPECT_EQ(0, e[1].value) << "a negative delay";
  EXPECT_EQ("0 ms", e[1].desc);
  EXPECT_EQ(16, e[2].value);
  EXPECT_EQ(31000, e[3].value);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(i, e[static_cast<std::size_t>(i)].record_index);
}

TEST(MacroFiles, RefusedFilesLeaveTheStoreUnchanged) {
  test::TempStore t;
  AddMacro(t.store, "keep", 2);
  const std::string path = t.File("bad.xml");

  std::string many = "<macro><macro_item macro_name=\"a\"><record_item>";
  for (int i = 0; i < 6000; ++i) many += "<item type=\"1\" value=\"5\"/>";
  many += "</record_item></macro_item><macro_item macro_name=\"b\"><record_item>";
  for (int i = 0; i < 4001; ++i) many += "<item type=\"1\" value=\"5\"/>";
  many += "</record_item></macro_item></macro>";
  Write(path, many);
  EXPECT_EQ(MacroFileStatus::kTooManyItems, ImportAllMacrosFile(t.store, path).status)
      << "10,001 items over two macros";

  std::string big = "<macro><macroinfo macro_name=\"" + std::string(kMaxMacroFileBytes, 'x') + "\"/></macro>";
  Write(path, big);
  EXPECT_EQ(MacroFileStatus::kTooLarge, ImportMacroFile(t.store, path).status);
  Write(path, "<macro><macroinfo macro_name=\"a\"/>");
  EXPECT_EQ(MacroFileStatus::kNotXml, ImportMacroFile(t.store, path).status);
  Write(path, "<macros><macroinfo macro_name=\"a\"/></macros>");
  EXPECT_EQ(MacroFileStatus::kNotXml, ImportMacroFile(t.store, path).status);
  EXPECT_EQ(MacroFileStatus::kUnreadable, ImportMacroFile(t.store, t.File("missing.xml")).status);
  EXPECT_EQ(1, MacroCount(t.store));

  // Exactly 10,000 items still load.
  std::string limit = "<macro><macroinfo macro_name=\"n\"/><macroitems>";
  for (int i = 0; i < kMaxMacroFileItems; ++i) limit += "<item type=\"1\" value=\"5\"/>";
  Write(path, limit + "</macroitems></macro>");
  EXPECT_EQ(MacroFileStatus::kOk, ImportMacroFile(t.store, path).status);
}

TEST(MacroFiles, AMacroTheStoreRefusesLeavesNeitherItNorItsEvents) {
  test::TempStore t;
  const int keep = AddMacro(t.store, "keep", 2);
  const std::string path = t.File("one.xml");
  Write(path, "<macro><macroinfo macro_name=\"a\"/><macroitems><item type=\"1\" value=\"5\"/></macroitems></macro>");
  // A trigger makes every event insert fail.
  {
    SQLiteDB db;
    ASSERT_TRUE(db.Open(t.store.Path().c_str(), "", SQLITE_OPEN_READWRITE));
    ASSERT_EQ(SQLITE_OK, db.Exec("CREATE TRIGGER no_events BEFORE INSERT ON t_macrorecord "
                                 "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
  }
  const MacroImport r = ImportMacroFile(t.store, path);
  EXPECT_EQ(1, r.refusedMacros);
  EXPECT_TRUE(r.macros.empty());
  EXPECT_EQ(1, MacroCount(t.store)) << "no macro row without its events";
  // A list that cannot be written keeps the one before.
  std::vector<MacroEventRecord> events(1);
  events[0].type = 1;
  events[0].value = 5;
  EXPECT_FALSE(t.store.ReplaceMacroEvents(keep, events));
  std::vector<MacroEventRecord> back;
  EXPECT_EQ(2, t.store.ListMacroEvents(keep, back));
}

// A trailing delay of 0 (a file may hold one) stays 0 in the store and is
// sent as 1 ms, as every delay between events is.
TEST(MacroFiles, ATrailingDelayOfZeroIsKeptAndSentAsOneMillisecond) {
  test::TempStore t;
  const std::string path = t.File("zero.xml");
  Write(path,
        "<macro><macroinfo macro_name=\"z\"/><macroitems><item type=\"2\" value=\"65\"/>"
        "<item type=\"3\" value=\"65\"/><item type=\"1\" value=\"0\"/></macroitems></macro>");
  const MacroImport r = ImportMacroFile(t.store, path);
  ASSERT_EQ(1u, r.macros.size());
  std::vector<MacroEventRecord> events;
  ASSERT_EQ(3, t.store.ListMacroEvents(r.macros[0].id, events));
  EXPECT_EQ(0, events[2].value);
  std::vector<MacroItem> items;
  for (const auto& e : events) items.push_back(MacroItem{e.type, e.value});
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(2, EncodeMacroEvents(items, bytes));
  EXPECT_EQ((std::vector<std::uint8_t>{0x30, 0x01, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}), bytes);
}

TEST(MacroUploadState, ABoundMacroIsStaleUntilItsStreamIsRecorded) {
  test::TempStore t;
  const ProfileId profile = t.store.CreateProfile(ProfileRecord{});
  const int id = AddMacro(t.store, "m", 3);
  KeyAssignmentRecord row;
  row.profile = profile;
  row.key_code = 3;
  row.macro_type = 4;
  row.macro_value = id;
  row.macro_desc = "m";
  ASSERT_GT(t.store.SetKeyAssignment(row), 0);
  row.key_code = 12;  // not a slot of the mouse
  t.store.SetKeyAssignment(row);

  std::vector<MacroBindingState> stale = StaleMacroBindings(t.store, profile, id);
  ASSERT_EQ(1u, stale.size());
  EXPECT_EQ(3, stale[0].keyCode);
  EXPECT_EQ("4", ButtonNumbers(stale));

  std::vector<MacroEventRecord> records;
  t.store.ListMacroEvents(id, records);
  std::vector<MacroItem> items;
  for (const auto& r : records) items.push_back(MacroItem{r.type, r.value});
  ASSERT_TRUE(t.store.RecordMacroUpload(3, MacroStreamHex(BuildMacroStream(3, items))));
  EXPECT_TRUE(StaleMacroBindings(t.store, profile, id).empty());
  EXPECT_TRUE(MacroBindings(t.store, profile)[0].onMouse);

  // An edit after the upload shows again; so does a deleted macro's absence.
  records.pop_back();
  t.store.ReplaceMacroEvents(id, records);
  EXPECT_EQ(1u, StaleMacroBindings(t.store, profile).size());
  t.store.DeleteMacro(id);
  EXPECT_TRUE(MacroBindings(t.store, profile).empty());
}

}  // namespace
}  // namespace korvex
