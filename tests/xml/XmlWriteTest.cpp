#include <gtest/gtest.h>

#include <filesystem>

#include "XmlTestFiles.h"
#include "xml/XmlDocument.h"

namespace korvex {
namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(XmlWrite, BuildsOneElementPerLineWithCrLf) {
  XmlDocument doc;
  doc.SetText(kDecl);
  ASSERT_TRUE(doc.AppendElement("profile"));
  ASSERT_TRUE(doc.SetAttribute("name", "P1"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AppendElement("key"));
  ASSERT_TRUE(doc.SetAttribute("index", "0"));
  ASSERT_TRUE(doc.SetAttribute("value", "1"));
  ASSERT_TRUE(doc.AppendElement("key"));
  ASSERT_TRUE(doc.SetAttribute("index", "1"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AppendElement("item"));
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.Text(), kDecl +
                            "<profile name=\"P1\">\r\n"
                            "<key index=\"0\" value=\"1\"/>\r\n"
                            "<key index=\"1\">\r\n"
                            "<item/>\r\n"
                            "</key>\r\n"
                            "</profile>\r\n");
  // What was written reads back through a fresh parse.
  XmlDocument back;
  back.SetText(doc.Text());
  ASSERT_TRUE(back.IsWellFormed()) << back.Result();
  ASSERT_TRUE(back.FindNext("profile") && back.EnterElement());
  ASSERT_TRUE(back.FindNext("key") && back.FindNext("key"));
  EXPECT_EQ(back.GetAttribute("index"), "1");
}

TEST(XmlWrite, AttributeValuesAreEscapedAndReadBackUnchanged) {
  XmlDocument doc;
  doc.SetText(kDecl);
  ASSERT_TRUE(doc.AppendElement("m"));
  const std::string value = "A&B<C>'\"\xE4\xB8\xAD";
  ASSERT_TRUE(doc.SetAttribute("name", value));
  EXPECT_NE(doc.Text().find("name=\"A&amp;B&lt;C&gt;&apos;&quot;\xE4\xB8\xAD\""), std::string::npos) << doc.Text();
  EXPECT_EQ(doc.GetAttribute("name"), value);
  XmlDocument back;
  back.SetText(doc.Text());
  ASSERT_TRUE(back.FindNext("m"));
  EXPECT_EQ(back.GetAttribute("name"), value);
}

TEST(XmlWrite, SetAttributeReplacesAnExistingValue) {
  XmlDocument doc;
  doc.SetText("<r>\n\t<a x='1' y=\"2\" />\n\t<b x=\"3\"/>\n</r>");
  ASSERT_TRUE(doc.FindNext("r") && doc.EnterElement() && doc.FindNext("a"));
  ASSERT_TRUE(doc.SetAttribute("x", "a much longer value"));
  ASSERT_TRUE(doc.SetAttribute("z", ""));
  EXPECT_EQ(doc.GetAttribute("x"), "a much longer value");
  EXPECT_EQ(doc.GetAttribute("y"), "2");
  // Elements after the edit are still found where they now are.
  ASSERT_TRUE(doc.FindNext("b"));
  EXPECT_EQ(doc.GetAttribute("x"), "3");
  ASSERT_TRUE(doc.SetAttribute("x", ""));
  XmlDocument back;
  back.SetText(doc.Text());
  ASSERT_TRUE(back.IsWellFormed()) << doc.Text();
  ASSERT_TRUE(back.FindNext("r") && back.EnterElement() && back.FindNext("a"));
  EXPECT_EQ(back.GetAttribute("x"), "a much longer value");
  EXPECT_EQ(back.GetAttribute("z"), "");
  ASSERT_TRUE(back.FindNext("b"));
  EXPECT_EQ(back.GetAttribute("x"), "");
}

TEST(XmlWrite, AppendGoesAfterTheCurrentElementOrLastIntoTheParent) {
  XmlDocument doc;
  doc.SetText("<r>\r\n<a/>\r\n<c/>\r\n</r>\r\n");
  ASSERT_TRUE(doc.FindNext("r") && doc.EnterElement() && doc.FindNext("a"));
  ASSERT_TRUE(doc.AppendElement("b"));  // between a and c
  ASSERT_TRUE(doc.FindNext("c"));
  ASSERT_TRUE(doc.LeaveElement() && doc.EnterElement());
  ASSERT_TRUE(doc.AppendElement("d"));  // no current element: last child
  EXPECT_EQ(doc.Text(), "<r>\r\n<a/>\r\n<b/>\r\n<c/>\r\n<d/>\r\n</r>\r\n");
  ASSERT_TRUE(doc.LeaveElement() && doc.EnterElement());
  std::string order;
  for (const char* name : {"a", "b", "c", "d"}) {
    if (doc.FindNext(name)) order += name;
  }
  EXPECT_EQ(order, "abcd");
}

TEST(XmlWrite, AppendingIntoAnEmptyElementOpensIt) {
  XmlDocument doc;
  doc.SetText("<r><p a=\"1\"/><q/></r>");
  ASSERT_TRUE(doc.FindNext("r") && doc.EnterElement() && doc.FindNext("p") && doc.EnterElement());
  ASSERT_TRUE(doc.AppendElement("child"));
  ASSERT_TRUE(doc.SetAttribute("v", "x"));
  ASSERT_TRUE(doc.AppendElement("child2"));
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.GetAttribute("a"), "1");
  ASSERT_TRUE(doc.FindNext("q"));
  EXPECT_EQ(doc.Text(), "<r><p a=\"1\">\r\n<child v=\"x\"/>\r\n<child2/>\r\n</p><q/></r>");
}

TEST(XmlWrite, RefusesWhatWouldBreakTheDocument) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetAttribute("a", "1"));  // no current element
  doc.SetText(kDecl);
  ASSERT_TRUE(doc.AppendElement("root"));
  EXPECT_FALSE(doc.AppendElement("second"));  // a second root
  EXPECT_FALSE(doc.SetAttribute("bad name", "1"));
  EXPECT_FALSE(doc.SetAttribute("", "1"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_FALSE(doc.AppendElement("x/>"));
  EXPECT_FALSE(doc.AppendElement(""));
  EXPECT_EQ(doc.Text(), kDecl + "<root/>\r\n");

  XmlDocument broken;
  broken.SetText("<a><b></a>");
  EXPECT_FALSE(broken.AppendElement("c"));
}

TEST(XmlWrite, SaveAndLoadRoundTripAndFailedSaveWritesNothing) {
  XmlDocument doc;
  doc.SetText(kDecl);
  ASSERT_TRUE(doc.AppendElement("macro") && doc.SetAttribute("name", "M\xC3\xA9"));
  const auto dir = test::TempDir();
  const std::string path = (dir / "round.xml").string();
  ASSERT_TRUE(doc.SaveFile(path));
  EXPECT_EQ(test::ReadBytes(path), doc.Text());
  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(path));
  ASSERT_TRUE(back.FindNext("macro"));
  EXPECT_EQ(back.GetAttribute("name"), "M\xC3\xA9");

  const std::string bad = (dir / "no-such-folder" / "x.xml").string();
  EXPECT_FALSE(doc.SaveFile(bad));
  EXPECT_FALSE(std::filesystem::exists(bad));
  EXPECT_FALSE(doc.SaveFile(dir.string()));  // a folder is not a file
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
  }
}

TEST(XmlWrite, LoadFileFailsForMissingFilesAndFolders) {
  XmlDocument doc;
  EXPECT_FALSE(doc.LoadFile((test::TempDir() / "absent.xml").string()));
  EXPECT_NE(doc.Result().find("file_error"), std::string::npos);
  EXPECT_FALSE(doc.LoadFile(test::TempDir().string()));
  EXPECT_FALSE(doc.FindNext("config"));
}

}  // namespace
}  // namespace korvex
