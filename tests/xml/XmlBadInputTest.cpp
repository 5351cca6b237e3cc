#include <gtest/gtest.h>

#include <random>
#include <string>

#include "XmlTestFiles.h"
#include "xml/XmlDocument.h"

namespace korvex {
namespace {

constexpr int kDeep = 100000;

TEST(XmlBadInput, HundredThousandNestedElements) {
  std::string text;
  for (int i = 0; i < kDeep; ++i) text += "<e>";
  std::string unclosed = text;
  for (int i = 0; i < kDeep; ++i) text += "</e>";

  XmlDocument doc;
  ASSERT_TRUE(doc.LoadFile(test::WriteTemp("deep.xml", text)));
  int depth = 0;
  while (doc.FindNext("e") && doc.EnterElement()) ++depth;
  EXPECT_EQ(depth, kDeep);
  // Appending at the bottom still moves every enclosing end tag correctly.
  ASSERT_TRUE(doc.AppendElement("leaf"));
  XmlDocument back;
  back.SetText(doc.Text());
  EXPECT_TRUE(back.IsWellFormed());

  XmlDocument open;
  EXPECT_FALSE(open.LoadBytes(unclosed));
}

TEST(XmlBadInput, TenMegabyteAttribute) {
  const std::string big(10 * 1024 * 1024, 'x');
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadBytes("<r a=\"" + big + "\" b=\"1\"/>"));
  ASSERT_TRUE(doc.FindNext("r"));
  EXPECT_EQ(doc.GetAttribute("a").size(), big.size());
  EXPECT_EQ(doc.GetAttribute("b"), "1");
  ASSERT_TRUE(doc.SetAttribute("b", big));
  EXPECT_EQ(doc.GetAttribute("b"), big);
}

TEST(XmlBadInput, EveryTruncationOfAValidFileIsHandled) {
  const std::string full =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE c [<!ENTITY e \"v\">]>"
      "<config><!-- c --><a x=\"&amp;&#x41;&eacute;\" y='2'><![CDATA[<z>]]></a><b/>\xE4\xB8\xAD</config>";
  for (size_t len = 0; len <= full.size(); ++len) {
    XmlDocument doc;
    const bool ok = doc.LoadBytes(full.substr(0, len));
    EXPECT_EQ(ok, len == full.size()) << len;
    if (doc.FindNext("config") && doc.EnterElement() && doc.FindNext("a")) {
      EXPECT_EQ(doc.GetAttribute("x"), "&A\xC3\xA9");
    }
  }
}

TEST(XmlBadInput, RandomBytesNeverCrash) {
  std::mt19937 rng(12345);
  const char symbols[] = "<>/=\"'!?-[]&#;x \r\n\0\xFF\xFE\xEF\xBB\xBF\xC3\xD8\xDC" "aeCDATA";
  const std::string alphabet(symbols, sizeof symbols - 1);
  int wellFormed = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(rng() % 200, '\0');
    for (char& c : bytes) {
      c = (rng() % 4 == 0) ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
    }
    if (round % 3 == 0) bytes = "<r>" + bytes + "</r>";
    XmlDocument doc;
    if (doc.LoadBytes(bytes)) ++wellFormed;
    // Whatever came out, navigation and edits stay defined.
    doc.FindNext("r");
    doc.GetAttribute("a");
    doc.EnterElement();
    doc.AppendElement("n");
    doc.SetAttribute("a", "&<>");
    XmlDocument again;
    again.SetText(doc.Text());
    if (doc.IsWellFormed()) {
      EXPECT_TRUE(again.IsWellFormed()) << doc.Text();
    }
  }
  EXPECT_GT(wellFormed, 0);
}

}  // namespace
}  // namespace korvex
