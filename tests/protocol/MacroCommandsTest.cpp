#include <gtest/gtest.h>

#include "FrameBytes.h"
#include "protocol/MacroCommands.h"

namespace korvex {
namespace {

using test::Bytes;
using test::Slice;

constexpr int kA = 65;
constexpr int kLeftShift = 160;

Bytes Events(const std::vector<MacroItem>& records) {
  Bytes out;
  EncodeMacroEvents(records, out);
  return out;
}

// n key events (press/release of A alternating) with no delay records.
std::vector<MacroItem> KeyEvents(int n) {
  std::vector<MacroItem> records;
  for (int i = 0; i < n; ++i) records.push_back({i % 2 == 0 ? kMacroKeyPress : kMacroKeyRelease, kA});
  return records;
}

TEST(MacroCommandsTest, DelaysBelongToTheEventBeforeThem) {
  EXPECT_EQ(Events({{kMacroKeyPress, kA}, {kMacroDelay, 120}, {kMacroKeyRelease, kA}}),
            (Bytes{0x30, 0x78, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}));
  // Delays before the first event and consecutive ones add up.
  EXPECT_EQ(Events({{kMacroDelay, 100}, {kMacroKeyPress, kA}, {kMacroDelay, 200}, {kMacroDelay, 300},
                    {kMacroKeyRelease, kA}}),
            (Bytes{0x30, 0x58, 0x02, 0x04, 0xB0, 0x01, 0x00, 0x04}));
  // Trailing delays go to the last event.
  EXPECT_EQ(Events({{kMacroKeyPress, kA}, {kMacroDelay, 0x1234}}), (Bytes{0x30, 0x34, 0x12, 0x04}));
  // Only delays: nothing at all.
  Bytes out{0xAA};
  EXPECT_EQ(EncodeMacroEvents({{kMacroDelay, 50}, {kMacroDelay, 60}}, out), 0);
  EXPECT_TRUE(out.empty());
}

TEST(MacroCommandsTest, ModifiersMouseButtonsAndUnknownRecords) {
  EXPECT_EQ(Events({{kMacroKeyPress, kLeftShift}, {kMacroKeyPress, kA}, {kMacroKeyRelease, kA},
                    {kMacroKeyRelease, kLeftShift}}),
            (Bytes{0x20, 0x01, 0x00, 0x02, 0x30, 0x01, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04, 0xA0, 0x01, 0x00, 0x02}));
  EXPECT_EQ(Events({{kMacroMousePress, 16}, {kMacroDelay, 50}, {kMacroMouseRelease, 0x110}, {9, 1}}),
            (Bytes{0x10, 0x32, 0x00, 0x10, 0x90, 0x01, 0x00, 0x10}));
  EXPECT_EQ(Events({{kMacroKeyPress, 92}, {kMacroKeyPress, 91}}),
            (Bytes{0x20, 0x01, 0x00, 0x80, 0x20, 0x01, 0x00, 0x08}));
}

TEST(MacroCommandsTest, DelaysOutsideSixteenBitsSaturateInsteadOfWrapping) {
  EXPECT_EQ(Events({{kMacroKeyPress, kA}, {kMacroDelay, 40000}, {kMacroDelay, 40000}, {kMacroKeyRelease, kA}}),
            (Bytes{0x30, 0xFF, 0xFF, 0x04, 0xB0, 0x01, 0x00, 0x04}));
  EXPECT_EQ(Events({{kMacroKeyPress, kA}, {kMacroDelay, -500}, {kMacroKeyRelease, kA}}),
            (Bytes{0x30, 0x01, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}));
}

TEST(MacroCommandsTest, UpToSixEventsFitOneReport) {
  std::vector<ReportFrame> reports;
  ASSERT_EQ(BuildMacroReports(3, {{kMacroKeyPress, kA}, {kMacroDelay, 120}, {kMacroKeyRelease, kA}}, reports), 1);
  EXPECT_EQ(Slice(reports[0], 0, 14),
            (Bytes{0x00, 0x08, 0x00, 0x01, 0x09, 0x03, 0x30, 0x78, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}));
  EXPECT_TRUE(test::AllZero(reports[0], 14, 32));
  EXPECT_EQ(reports[0][32], test::SumOfPayload(reports[0]));

  ASSERT_EQ(BuildMacroReports(5, {}, reports), 1);
  EXPECT_EQ(Slice(reports[0], 0, 7), (Bytes{0x00, 0x08, 0x00, 0x01, 0x01, 0x05, 0x00}));

  ASSERT_EQ(BuildMacroReports(2, KeyEvents(6), reports), 1);
  EXPECT_EQ(reports[0][4], 25);
  EXPECT_EQ(reports[0][29], 0x04);
  EXPECT_EQ(reports[0][30], 0x00);
}

TEST(MacroCommandsTest, SevenEventsSplitIntoNumberedReports) {
  const std::vector<std::uint8_t> stream = BuildMacroStream(1, KeyEvents(7));
  ASSERT_EQ(stream.size(), 29u);
  std::vector<ReportFrame> reports;
  ASSERT_EQ(SplitMacroStream(stream, reports), 2);
  EXPECT_EQ(Slice(reports[0], 0, 5), (Bytes{0x00, 0x08, 0x00, 0x02, 27}));
  EXPECT_EQ(Slice(reports[1], 0, 5), (Bytes{0x00, 0x08, 0x00, 0x12, 2}));
  EXPECT_EQ(Slice(reports[0], 5, 27), Bytes(stream.begin(), stream.begin() + 27));
  EXPECT_EQ(Slice(reports[1], 5, 2), Bytes(stream.begin() + 27, stream.end()));
  // The reused buffer keeps the first report's bytes after the short chunk.
  EXPECT_EQ(Slice(reports[1], 7, 25), Slice(reports[0], 7, 25));
  for (const ReportFrame& r : reports) EXPECT_EQ(r[32], test::SumOfPayload(r));
}

TEST(MacroCommandsTest, ExactMultipleOfTwentySevenFillsEveryReport) {
  std::vector<ReportFrame> reports;
  ASSERT_EQ(BuildMacroReports(0, KeyEvents(20), reports), 3);
  const std::uint8_t sequence[] = {0x03, 0x13, 0x23};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reports[static_cast<std::size_t>(i)][3], sequence[i]);
    EXPECT_EQ(reports[static_cast<std::size_t>(i)][4], 27);
  }
}

TEST(MacroCommandsTest, MoreThanOneHundredAndOneEventsAreRefused) {
  std::vector<ReportFrame> reports;
  ASSERT_EQ(BuildMacroReports(8, KeyEvents(101), reports), 15);
  EXPECT_EQ(reports.front()[3], 0x0F);
  EXPECT_EQ(reports.back()[3], 0xEF);
  EXPECT_EQ(reports.back()[4], 27);

  EXPECT_EQ(BuildMacroReports(8, KeyEvents(102), reports), 0);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(BuildMacroReports(8, KeyEvents(300), reports), 0);
}

}  // namespace
}  // namespace korvex
