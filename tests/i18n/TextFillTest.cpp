// Filling the fields of texts that come from editable language files.

#include <gtest/gtest.h>

#include "i18n/TextFill.h"

namespace korvex {
namespace {

TEST(TextFill, FieldsTakeTheArgumentsInOrder) {
  EXPECT_EQ(FillText("%s: %d %% left", {"K3", "12"}), "K3: 12 % left");
  EXPECT_EQ(FillText("%-5s|%02d|%lu", {"a", "7", "9"}), "a|7|9");  // flags are not applied
  EXPECT_EQ(FillText("no fields", {"x"}), "no fields");
}

TEST(TextFill, HostileTextsNeitherCrashNorReadBeyondTheArguments) {
  // As printf formats these would read arguments that are not there.
  EXPECT_EQ(FillText("%s %s %s %n %p", {"one"}), "one    ");
  EXPECT_EQ(FillText("100%", {}), "100%");
  EXPECT_EQ(FillText("50%!", {"x"}), "50%!");
  EXPECT_EQ(FillText("%5", {"x"}), "%5");
  EXPECT_EQ(FillText(std::string_view("a%\0s", 4), {"x"}), std::string("a%\0s", 4));
}

}  // namespace
}  // namespace korvex
