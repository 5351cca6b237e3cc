// Default macro names shown in the current language.
#include <gtest/gtest.h>

#include "macros/MacroNames.h"
#include "macros/MacroSettings.h"

namespace korvex {
namespace {

TEST(MacroNames, ListRuleReplacesTheDefaultWordsOfAnyLanguage) {
  EXPECT_EQ("Eigene 2", MacroDisplayName("Custom 2", "Eigene", "Kopie"));
  EXPECT_EQ("Eigene 3", MacroDisplayName("自定义 3", "Eigene", "Kopie"));
  EXPECT_EQ("Eigene 4", MacroDisplayName("Personnalisé 4", "Eigene", "Kopie"));
  EXPECT_EQ("Eigene 1 Kopie", MacroDisplayName("Custom 1 Copy", "Eigene", "Kopie"));
  EXPECT_EQ("Eigene 1 Kopie", MacroDisplayName("Custom 1Copy", "Eigene", "Kopie"));
  EXPECT_EQ("mine Kopie", MacroDisplayName("mine 复制", "Eigene", "Kopie"));
  EXPECT_EQ("My Custom", MacroDisplayName("My Custom", "Eigene", "Kopie")) << "only a leading word";
  EXPECT_EQ("", MacroDisplayName("", "Eigene", "Kopie"));
  EXPECT_EQ("自定义 3", NewMacroName("自定义", 2));
}

TEST(MacroNames, DescriptionRuleDependsOnTheLanguage) {
  EXPECT_EQ("C 2 复制", MacroDescription("Custom 2 Copy", 2052, "C"));
  EXPECT_EQ("Custom 2", MacroDescription("Custom 2", 1033, "C")) << "1033 keeps its own word";
  EXPECT_EQ("C 2 Copy", MacroDescription("自定义 2复制", 1033, "C"));
  EXPECT_EQ("C 5 Копировать", MacroDescription("カスタム 5Copy", 1049, "C"));
  EXPECT_EQ("x Копировать", MacroDescription("x Копировать", 1049, "C")) << "1049 has no such trailing word";
  EXPECT_EQ("Custom 2 Copy", MacroDescription("Custom 2 Copy", 1031, "C"));
}

TEST(MacroSettings, RadiosAndFieldsMapToTheStoredFields) {
  MacroInfo stored;
  stored.macro_id = 7;
  stored.name = "m";
  MacroRadios r;
  r.delayRadio = 2;
  r.delayText = "";
  r.playRadio = 2;
  r.timesText = "";
  MacroInfo m = ApplyRadios(stored, r);
  EXPECT_EQ(2, m.delay_type);
  EXPECT_EQ(10, m.delay_time) << "an empty delay field reads 10";
  EXPECT_EQ(0, m.play_type);
  EXPECT_EQ(1, m.play_times) << "an empty times field reads 1";
  EXPECT_EQ("m", m.name);

  r.delayRadio = 0;
  r.delayText = "500";
  r.playRadio = 1;
  r.timesText = "9";
  m = ApplyRadios(stored, r);
  EXPECT_EQ(0, m.delay_type);
  EXPECT_EQ(0, m.delay_time);
  EXPECT_EQ(2, m.play_type);
  EXPECT_EQ(1, m.play_times);

  m.play_type = 3;  // plays as 1
  EXPECT_EQ(0, RadiosOf(m).playRadio);
  m.play_type = 0;
  m.play_times = 12;
  m.delay_type = 2;
  m.delay_time = 30;
  EXPECT_EQ("12", RadiosOf(m).timesText);
  EXPECT_EQ("30", RadiosOf(m).delayText);

  EXPECT_EQ(999, ClampPlayTimes(5000, 200));
  EXPECT_EQ(255, ClampPlayTimes(5000, 201));
  EXPECT_EQ(1, ClampPlayTimes(0, 111));
  EXPECT_EQ(10000, ClampFixedDelay(99999));
  EXPECT_EQ(1, ClampFixedDelay(0));
  EXPECT_EQ(0, DecimalOf("x1"));
  EXPECT_EQ(12, DecimalOf("12ms"));
}

}  // namespace
}  // namespace korvex
