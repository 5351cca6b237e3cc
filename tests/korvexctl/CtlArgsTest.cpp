#include <gtest/gtest.h>

#include "korvexctl/CtlArgs.h"
#include "korvexctl/Json.h"

namespace korvex {
namespace {

TEST(CtlArgsTest, CommandsOptionsAndOperandCounts) {
  CtlArgs a;
  std::string error;
  ASSERT_TRUE(ParseCtlArgs({"--json", "--device", "113", "set", "dpi", "2", "800"}, a, error)) << error;
  EXPECT_TRUE(a.json);
  EXPECT_EQ(113, a.deviceType);
  EXPECT_EQ("set", a.command);
  EXPECT_EQ((std::vector<std::string>{"dpi", "2", "800"}), a.operands);

  ASSERT_TRUE(ParseCtlArgs({"profile", "3"}, a, error));
  EXPECT_FALSE(a.json);
  EXPECT_EQ(0, a.deviceType);

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{}, {"--json"}, {"--device", "x", "show"}, {"--device"}, {"--verbose", "show"},
        {"show", "extra"}, {"profile"}, {"set"}, {"set", "dpi", "2"}, {"set", "colour", "1"},
        {"set", "liftoff", "1", "2"}, {"list"}}) {
    EXPECT_FALSE(ParseCtlArgs(bad, a, error)) << (bad.empty() ? "(none)" : bad.back());
    EXPECT_FALSE(error.empty());
  }
}

TEST(CtlArgsTest, WholeNumbersOnly) {
  long long v = 0;
  EXPECT_TRUE(ParseWholeNumber("-12", v));
  EXPECT_EQ(-12, v);
  EXPECT_FALSE(ParseWholeNumber("12abc", v));
  EXPECT_FALSE(ParseWholeNumber("", v));
  EXPECT_FALSE(ParseWholeNumber(" 1", v));
  EXPECT_FALSE(ParseWholeNumber("99999999999999999999", v));
}

TEST(JsonTest, QuotingAndNesting) {
  EXPECT_EQ("\"a\\\"b\\\\c\\n\\u0001\"", JsonQuote("a\"b\\c\n\x01"));
  EXPECT_EQ("\"配置\"", JsonQuote("配置"));
  JsonObject inner;
  inner.Add("x", 1);
  JsonObject o;
  o.Add("ok", true).Add("list", std::vector<JsonObject>{inner, inner}).AddNumbers("n", {1, 2});
  EXPECT_EQ("{\"ok\":true,\"list\":[{\"x\":1},{\"x\":1}],\"n\":[1,2]}", o.Text());
}

}  // namespace
}  // namespace korvex
