#include <gtest/gtest.h>

#include "catalogue/ColourText.h"

namespace korvex {
namespace {

TEST(ColourTextTest, FullFormPutsRedInTheLowByte) {
  EXPECT_EQ(ParseColourText("#FF0000"), 255u);
  EXPECT_EQ(ParseColourText("#00FF00"), 65280u);
  EXPECT_EQ(ParseColourText("#0000FF"), 16711680u);
  EXPECT_EQ(ParseColourText("#12ab3C"), 0x3CAB12u);
}

TEST(ColourTextTest, ShortFormsReadPairsFromTheLeft) {
  EXPECT_EQ(ParseColourText("#F00"), 240u);                       // red "F0", green "0"
  EXPECT_EQ(ParseColourText("#123"), 0x12u + 0x3u * 256);
  EXPECT_EQ(ParseColourText("#1234"), 0x12u + 0x34u * 256);
  EXPECT_EQ(ParseColourText("#12345"), 0x12u + 0x34u * 256 + 0x5u * 65536);
  EXPECT_EQ(ParseColourText("#AB"), 0xABu);
}

TEST(ColourTextTest, OtherLengthsGiveBlack) {
  EXPECT_EQ(ParseColourText(""), 0u);
  EXPECT_EQ(ParseColourText("#"), 0u);
  EXPECT_EQ(ParseColourText("#F"), 0u);
  EXPECT_EQ(ParseColourText("#FF00FF00"), 0u);
  EXPECT_EQ(ParseColourText("#1234567"), 0u);
}

TEST(ColourTextTest, FirstCharacterIsDroppedWhateverItIs) {
  EXPECT_EQ(ParseColourText("xFF0000"), 255u);
  // Without the "#" the first digit is lost: "F0000" is red F0, green 00, blue 0.
  EXPECT_EQ(ParseColourText("FF0000"), 0xF0u);
}

TEST(ColourTextTest, PiecesStopAtTheFirstNonHexCharacter) {
  EXPECT_EQ(ParseColourText("#FG0000"), 0x0Fu);
  EXPECT_EQ(ParseColourText("#zz00zz"), 0u);
  EXPECT_EQ(ParseColourText("#00FFz1"), 0xFF00u);
}

}  // namespace
}  // namespace korvex
