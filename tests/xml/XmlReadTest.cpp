#include <gtest/gtest.h>

#include "xml/XmlDocument.h"

namespace korvex {
namespace {

const char* kSiblings =
    "<?xml version=\"1.0\"?>\r\n"
    "<root>\r\n"
    "  <a v=\"1\"/>\r\n"
    "  <b v=\"2\"><inner v=\"x\"/></b>\r\n"
    "  <c v=\"3\"/>\r\n"
    "  <a v=\"4\"/>\r\n"
    "</root>\r\n";

TEST(XmlRead, SearchRunsForwardOnlyAmongFollowingSiblings) {
  XmlDocument doc;
  doc.SetText(kSiblings);
  ASSERT_TRUE(doc.IsWellFormed()) << doc.Result();
  ASSERT_TRUE(doc.FindNext("root"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindNext("c"));
  EXPECT_FALSE(doc.FindNext("b"));
  // The failed search left c current.
  EXPECT_EQ(doc.GetAttribute("v"), "3");
  ASSERT_TRUE(doc.FindNext("a"));
  EXPECT_EQ(doc.GetAttribute("v"), "4");
  EXPECT_FALSE(doc.FindNext("a"));

  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindNext("b"));
  EXPECT_EQ(doc.GetAttribute("v"), "2");
}

TEST(XmlRead, NamesMatchWithExactCaseAndNotInsideOtherElements) {
  XmlDocument doc;
  doc.SetText(kSiblings);
  ASSERT_TRUE(doc.FindNext("root"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_FALSE(doc.FindNext("A"));
  EXPECT_FALSE(doc.FindNext("inner"));  // a grandchild is not a sibling
  EXPECT_FALSE(doc.FindNext("roo"));
  ASSERT_TRUE(doc.FindNext("a"));
  EXPECT_EQ(doc.GetAttribute("v"), "1");
  EXPECT_EQ(doc.GetAttribute("V"), "");
}

TEST(XmlRead, EnterAndLeaveFollowTheParentChain) {
  XmlDocument doc;
  doc.SetText(kSiblings);
  EXPECT_FALSE(doc.EnterElement());  // no current element yet
  EXPECT_FALSE(doc.LeaveElement());  // already at document level
  EXPECT_EQ(doc.GetAttribute("v"), "");
  ASSERT_TRUE(doc.FindNext("root"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindNext("b"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindNext("inner"));
  EXPECT_EQ(doc.GetAttribute("v"), "x");
  ASSERT_TRUE(doc.LeaveElement());  // b is current again
  EXPECT_EQ(doc.GetAttribute("v"), "2");
  ASSERT_TRUE(doc.FindNext("c"));
  ASSERT_TRUE(doc.LeaveElement());  // document level, root current
  EXPECT_FALSE(doc.LeaveElement());
  EXPECT_TRUE(doc.EnterElement());
}

TEST(XmlRead, EnteringAnEmptyElementFindsNothing) {
  XmlDocument doc;
  doc.SetText("<r><e a='1'/></r>");
  ASSERT_TRUE(doc.FindNext("r") && doc.EnterElement() && doc.FindNext("e"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_FALSE(doc.FindNext("e"));
  EXPECT_EQ(doc.GetAttribute("a"), "");
}

TEST(XmlRead, AttributeQuotingAndSpacing) {
  XmlDocument doc;
  doc.SetText("<r one='1' two = \"2\"\n three=\"a>b\" four='say \"hi\"' empty=\"\"></r>");
  ASSERT_TRUE(doc.IsWellFormed()) << doc.Result();
  ASSERT_TRUE(doc.FindNext("r"));
  EXPECT_EQ(doc.GetAttribute("one"), "1");
  EXPECT_EQ(doc.GetAttribute("two"), "2");
  EXPECT_EQ(doc.GetAttribute("three"), "a>b");
  EXPECT_EQ(doc.GetAttribute("four"), "say \"hi\"");
  EXPECT_EQ(doc.GetAttribute("empty"), "");
  EXPECT_EQ(doc.GetAttribute("missing"), "");
}

TEST(XmlRead, CharacterReferencesDecode) {
  XmlDocument doc;
  doc.SetText(
      "<r dec=\"&#233;\" hex=\"&#xE9;\" named=\"&eacute;\" upper=\"&EACUTE;\" exact=\"&Eacute;\""
      " unknown=\"&bogus; &amp\" zero=\"x&#0;y\" astral=\"&#x1F600;\" surrogate=\"&#xD800;\""
      " big=\"&#x110000;\" apos=\"&APOS;\" long=\"&thetasymxx;\" mixed=\"a&lt;b&gt;c&quot;&amp;\"/>");
  ASSERT_TRUE(doc.FindNext("r"));
  EXPECT_EQ(doc.GetAttribute("dec"), "\xC3\xA9");
  EXPECT_EQ(doc.GetAttribute("hex"), "\xC3\xA9");
  EXPECT_EQ(doc.GetAttribute("named"), "\xC3\xA9");
  EXPECT_EQ(doc.GetAttribute("exact"), "\xC3\x89");  // exact case wins over eacute
  const std::string upper = doc.GetAttribute("upper");
  EXPECT_TRUE(upper == "\xC3\xA9" || upper == "\xC3\x89") << upper;
  EXPECT_EQ(doc.GetAttribute("unknown"), "&bogus; &amp");
  EXPECT_EQ(doc.GetAttribute("zero"), "x&#0;y");
  EXPECT_EQ(doc.GetAttribute("astral"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(doc.GetAttribute("surrogate"), "&#xD800;");
  EXPECT_EQ(doc.GetAttribute("big"), "&#x110000;");
  EXPECT_EQ(doc.GetAttribute("apos"), "'");
  EXPECT_EQ(doc.GetAttribute("long"), "&thetasymxx;");
  EXPECT_EQ(doc.GetAttribute("mixed"), "a<b>c\"&");
}

TEST(XmlRead, MarkupOtherThanElementsIsSkipped) {
  XmlDocument doc;
  doc.SetText(
      "<?xml version=\"1.0\"?>\n<!DOCTYPE r [ <!ENTITY x \"<y>\"> ]>\n<!-- <fake/> -->\n"
      "<r><![CDATA[ <notatag> ]]><?pi <inside> ?>text &amp; more<k v=\"1\"/><!-- </r> --></r>\n<!-- tail -->");
  ASSERT_TRUE(doc.IsWellFormed()) << doc.Result();
  ASSERT_TRUE(doc.FindNext("r"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_FALSE(doc.FindNext("notatag"));
  ASSERT_TRUE(doc.FindNext("k"));
  EXPECT_EQ(doc.GetAttribute("v"), "1");
}

TEST(XmlRead, WellFormednessFaultsAreNamed) {
  struct Case {
    const char* text;
    const char* fault;
  };
  const Case cases[] = {
      {"<a/><b/>", "root_has_sibling"},
      {"<a></a><a></a>", "root_has_sibling"},
      {"<a><b></a>", "unended_start_tag"},
      {"<a><b>", "unended_start_tag"},
      {"</a>", "lone_end_tag"},
      {"<a/></a>", "lone_end_tag"},
      {"", "no_root_element"},
      {"<?xml version=\"1.0\"?><!-- only -->", "no_root_element"},
      {"<a><!-- open </a>", "comment_tag_syntax"},
      {"<a><![CDATA[ open </a>", "cdata_section_syntax"},
      {"<!DOCTYPE a [ <!ELEMENT a ANY> <a/>", "doctype_tag_syntax"},
      {"<a><!oops </a", "exclamation_tag_syntax"},
      {"<a x=\"1></a>", "unterminated_tag_syntax"},
      {"<a x></a>", "unterminated_tag_syntax"},
      {"<a", "unterminated_tag_syntax"},
      {"<1a/>", "first_tag_syntax"},
      {"< a/>", "first_tag_syntax"},
      {"<a><?pi </a>", "unterminated_tag_syntax"},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    doc.SetText(c.text);
    EXPECT_FALSE(doc.IsWellFormed()) << c.text;
    EXPECT_NE(doc.Result().find(c.fault), std::string::npos) << c.text << " -> " << doc.Result();
    EXPECT_FALSE(doc.FindNext("a")) << c.text;  // an ill-formed text offers no elements
  }
}

}  // namespace
}  // namespace korvex
