// The recorder's three delay modes on a fake clock, and its event limit.
#include <gtest/gtest.h>

#include "macros/MacroRecorder.h"

namespace korvex {
namespace {

struct FakeClock {
  std::uint32_t now = 0;
  std::function<std::uint32_t()> Tick() {
    return [this] { return now; };
  }
};

TEST(MacroRecorder, MeasuredDelaysGoBetweenKeysOnly) {
  FakeClock clock;
  clock.now = 40000;
  MacroRecorder r(clock.Tick());
  MacroEditor list;
  r.Start(MacroRecorder::kMeasuredDelay, 0);
  EXPECT_EQ(MacroRecorder::Outcome::kAdded, r.RecordKey(false, 65, "A", list));
  clock.now += 1200;
  EXPECT_EQ(MacroRecorder::Outcome::kAdded, r.RecordKey(true, 65, "A", list));
  ASSERT_EQ(3u, list.Items().size());
  EXPECT_EQ((MacroEventItem{"\u2193  A", 2, 65, 40001}), list.Items()[0]);
  EXPECT_EQ((MacroEventItem{"1200 ms", 1, 1200, 40002}), list.Items()[1]);
  EXPECT_EQ((MacroEventItem{"\u2191  A", 3, 65, 40003}), list.Items()[2]);

  // A long pause is kept at 31 s; two events in the same millisecond get
  // no delay between them.
  clock.now += 90000;
  r.RecordKey(false, 66, "B", list);
  EXPECT_EQ(31000, list.Items()[3].value);
  r.RecordKey(true, 66, "B", list);
  EXPECT_EQ(3, list.Items()[5].type);
  EXPECT_EQ(2, list.Items()[4].type);
}

TEST(MacroRecorder, ClockReadingZeroStillMeasuresTheNextDelay) {
  FakeClock clock;  // a tick count that wrapped to 0
  MacroRecorder r(clock.Tick());
  MacroEditor list;
  r.Start(MacroRecorder::kMeasuredDelay, 0);
  r.RecordKey(false, 65, "A", list);
  clock.now = 80;
  r.RecordKey(true, 65, "A", list);
  ASSERT_EQ(3u, list.Items().size());
  EXPECT_EQ(80, list.Items()[1].value);
}

TEST(MacroRecorder, FixedAndNoDelayModes) {
  FakeClock clock;
  MacroRecorder r(clock.Tick());
  MacroEditor list;
  r.Start(MacroRecorder::kFixedDelay, 10);
  r.RecordKey(false, 65, "A", list);
  r.RecordButton(true, 16, list);
  ASSERT_EQ(4u, list.Items().size());
  EXPECT_EQ((MacroEventItem{"10 ms", 1, 10, 1}), list.Items()[0]) << "also before the first key";
  EXPECT_EQ((MacroEventItem{"\u2191  Forward", 5, 16, 4}), list.Items()[3]);

  list.SetItems({});
  r.Start(MacroRecorder::kNoDelay, 10);
  clock.now = 500;
  r.RecordKey(false, 65, "A", list);
  clock.now = 900;
  r.RecordKey(true, 65, "A", list);
  EXPECT_EQ(2u, list.Items().size());
  EXPECT_EQ(MacroRecorder::Outcome::kIgnored, r.RecordKey(false, 0, "", list)) << "a key without a name";
  EXPECT_EQ(MacroRecorder::Outcome::kIgnored, r.RecordButton(false, 3, list)) << "not one button";
  r.Stop();
  EXPECT_EQ(MacroRecorder::Outcome::kIgnored, r.RecordKey(false, 65, "A", list));
  EXPECT_EQ(2u, list.Items().size());
}

TEST(MacroRecorder, StopsAtThirtyEvents) {
  FakeClock clock;
  MacroRecorder r(clock.Tick());
  MacroEditor list;
  r.Start(MacroRecorder::kMeasuredDelay, 0);
  for (int i = 0; i < 29; ++i) {
    clock.now += 5;
    ASSERT_EQ(MacroRecorder::Outcome::kAdded, r.RecordKey(i % 2 == 1, 65, "A", list));
  }
  clock.now += 5;
  EXPECT_EQ(MacroRecorder::Outcome::kFull, r.RecordKey(true, 65, "A", list));
  EXPECT_EQ(30, list.EventCount());
  EXPECT_FALSE(r.Recording());

  // Recording on into a full list: the delay goes in, the key does not.
  r.Start(MacroRecorder::kFixedDelay, 10);
  const std::size_t before = list.Items().size();
  EXPECT_EQ(MacroRecorder::Outcome::kFull, r.RecordKey(false, 65, "A", list));
  EXPECT_EQ(before + 1, list.Items().size());
  EXPECT_EQ(1, list.Items().back().type);
}

}  // namespace
}  // namespace korvex
