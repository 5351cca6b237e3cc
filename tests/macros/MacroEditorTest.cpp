// The event list edits of the macro page: insert positions, moves, the
// edits of a selected event with their clamps, and saving the list.
#include <gtest/gtest.h>

#include "macros/MacroEditor.h"
#include "macros/MacroEventText.h"
#include "MacroTestStore.h"

namespace korvex {
namespace {

std::vector<MacroEventItem> Delays(int n) {
  std::vector<MacroEventItem> items;
  for (int i = 0; i < n; ++i) items.push_back(MacroEventItem{DelayText(i + 1), 1, i + 1, 100 + i});
  return items;
}

std::vector<int> Values(const MacroEditor& e) {
  std::vector<int> v;
  for (const MacroEventItem& i : e.Items()) v.push_back(i.value);
  return v;
}

TEST(MacroEditor, InsertsButtonPairsAfterTheSelectionOrAtTheEnd) {
  MacroEditor e;
  ASSERT_TRUE(e.Insert(InsertChoice::kLeftButton, 5000));
  ASSERT_EQ(3u, e.Items().size());
  EXPECT_EQ((MacroEventItem{"\u2193  LB", 4, 1, 5000}), e.Items()[0]);
  EXPECT_EQ((MacroEventItem{"50 ms", 1, 50, 5001}), e.Items()[1]);
  EXPECT_EQ((MacroEventItem{"\u2191  LB", 5, 1, 5000}), e.Items()[2]);

  e.SetItems(Delays(6));
  e.Select(4);
  ASSERT_TRUE(e.Insert(InsertChoice::kRightButton, 7));
  EXPECT_EQ("\u2193  RB", e.Items()[5].text);
  EXPECT_EQ(2, e.Items()[5].value);
  EXPECT_EQ(1, e.Items()[6].type);
  EXPECT_EQ("\u2191  RB", e.Items()[7].text);
  EXPECT_EQ(4, e.Selected()) << "the selection stays on its item";

  // The middle button's mask is 4; the timestamp pair wraps with the tick.
  e.SetItems({});
  ASSERT_TRUE(e.Insert(InsertChoice::kMiddleButton, 0xFFFFFFFFu));
  EXPECT_EQ(4, e.Items()[0].value);
  EXPECT_EQ(-1, e.Items()[0].timestamp);
  EXPECT_EQ(0, e.Items()[1].timestamp);
}

TEST(MacroEditor, InsertsDelaysAndKeysWhereThePageSays) {
  MacroEditor e;
  e.SetItems(Delays(6));
  e.Select(4);
  ASSERT_TRUE(e.Insert(InsertChoice::kDelay, 9));
  EXPECT_EQ(50, e.Items()[4].value) << "before the selected item";
  EXPECT_EQ(5, e.Selected());
  e.Select(-1);
  ASSERT_TRUE(e.Insert(InsertChoice::kDelay, 9));
  EXPECT_EQ(50, e.Items().back().value);

  EXPECT_FALSE(e.Insert(InsertChoice::kKey, 9, 0, "")) << "the key dialog gave no key";
  ASSERT_TRUE(e.Insert(InsertChoice::kKey, 9, 65, "A"));
  const auto& items = e.Items();
  EXPECT_EQ((MacroEventItem{"\u2193  A", 2, 65, 9}), items[items.size() - 3]);
  EXPECT_EQ((MacroEventItem{"\u2191  A", 3, 65, 9}), items.back());
}

TEST(MacroEditor, RefusesTheInsertMenuAtTwoHundredItems) {
  MacroEditor e;
  e.SetItems(Delays(199));
  EXPECT_TRUE(e.CanInsert());
  ASSERT_TRUE(e.Insert(InsertChoice::kLeftButton, 1)) << "199 items still take a pair";
  EXPECT_FALSE(e.CanInsert());
  EXPECT_FALSE(e.Insert(InsertChoice::kDelay, 1));
  EXPECT_EQ(202u, e.Items().size());
}

TEST(MacroEditor, MovesKeepTheSelectionOnTheMovedItem) {
  MacroEditor e;
  e.SetItems(Delays(4));  // values 1 2 3 4
  EXPECT_FALSE(e.MoveUp()) << "nothing selected";
  e.Select(0);
  EXPECT_FALSE(e.MoveUp());
  EXPECT_FALSE(e.MoveToTop());
  EXPECT_TRUE(e.MoveDown());
  EXPECT_EQ((std::vector<int>{2, 1, 3, 4}), Values(e));
  EXPECT_EQ(1, e.Selected());
  EXPECT_TRUE(e.MoveToBottom());
  EXPECT_EQ((std::vector<int>{2, 3, 4, 1}), Values(e));
  EXPECT_EQ(3, e.Selected());
  EXPECT_FALSE(e.MoveDown()) << "the last item";
  e.Select(2);
  EXPECT_TRUE(e.MoveToTop());
  EXPECT_EQ((std::vector<int>{4, 2, 3, 1}), Values(e));
  EXPECT_EQ(0, e.Selected());
  EXPECT_FALSE(e.MoveUp());
  e.Select(3);
  EXPECT_TRUE(e.MoveUp());
  EXPECT_EQ((std::vector<int>{4, 2, 1, 3}), Values(e));

  EXPECT_TRUE(e.DeleteSelected());
  EXPECT_EQ((std::vector<int>{4, 2, 3}), Values(e));
  EXPECT_EQ(-1, e.Selected());
  EXPECT_FALSE(e.DeleteSelected());
  EXPECT_TRUE(e.DeleteAll());
  EXPECT_FALSE(e.DeleteAll());
}

TEST(MacroEditor, EditsClampDelaysAndChangeBothHalvesOfAPair) {
  MacroEditor e;
  e.Insert(InsertChoice::kLeftButton, 10);
  e.Insert(InsertChoice::kKey, 20, 65, "A");
  e.Select(1);
  EXPECT_EQ(1, e.EditDelay(0));
  EXPECT_EQ("1 ms", e.Items()[1].text);
  EXPECT_EQ(10000, e.EditDelay(20000));
  EXPECT_EQ(10000, e.Items()[1].value);
  EXPECT_EQ(1, e.EditDelay(-5));
  e.Select(0);
  EXPECT_EQ(0, e.EditDelay(7)) << "not a delay";

  EXPECT_TRUE(e.EditButton(5));
  EXPECT_EQ((MacroEventItem{"\u2193  Forward", 4, 16, 10}), e.Items()[0]);
  EXPECT_EQ((MacroEventItem{"\u2191  Forward", 5, 16, 10}), e.Items()[2]);
  EXPECT_TRUE(e.EditButton(6));
  EXPECT_EQ(8, e.Items()[2].value);
  EXPECT_FALSE(e.EditButton(4)) << "no such list code";
  EXPECT_FALSE(e.EditKey(66, "B")) << "a button pair is not a key";

  e.Select(5);  // the key release
  ASSERT_TRUE(e.EditKey(66, "B"));
  EXPECT_EQ((MacroEventItem{"\u2193  B", 2, 66, 20}), e.Items()[3]);
  EXPECT_EQ((MacroEventItem{"\u2191  B", 3, 66, 20}), e.Items()[5]);
  EXPECT_EQ("B", NameOfEventText(e.Items()[5].text));
}

TEST(MacroEditor, SavedListsComeBackInListOrder) {
  test::TempStore t;
  const int id = t.store.CreateMacro("m");
  MacroEditor e;
  e.Insert(InsertChoice::kKey, 3, 65, "A");
  e.Select(0);
  e.MoveToBottom();
  ASSERT_TRUE(t.store.ReplaceMacroEvents(id, e.Records(id)));
  std::vector<MacroEventRecord> back;
  ASSERT_EQ(3, t.store.ListMacroEvents(id, back));
  EXPECT_EQ(e.Items(), MacroEditor::FromRecords(back));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(i, back[static_cast<std::size_t>(i)].record_index);

  // Replacing with a shorter list leaves no stale record behind.
  e.DeleteAll();
  ASSERT_TRUE(t.store.ReplaceMacroEvents(id, e.Records(id)));
  EXPECT_EQ(0, t.store.ListMacroEvents(id, back));
}

}  // namespace
}  // namespace korvex
