#include <gtest/gtest.h>

#include <string>

#include "XmlTestFiles.h"
#include "xml/XmlDocument.h"

namespace korvex {
namespace {

using test::ReadBytes;
using test::WriteTemp;

// "é" and "中" in a model name, with an astral character for surrogates.
const std::string kUtf8Doc =
    "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<config><mouse name=\"K\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x96\xB1\"/></config>";

std::string ToUtf16(const std::string& ascii16, bool bigEndian) {
  // Only used for the test document: convert UTF-8 to UTF-16 code units.
  std::u32string cps;
  for (size_t i = 0; i < ascii16.size();) {
    const auto c = static_cast<unsigned char>(ascii16[i]);
    const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(ascii16[i + k]) & 0x3F);
    cps.push_back(cp);
    i += static_cast<size_t>(n);
  }
  std::string out;
  auto put = [&](unsigned unit) {
    const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  };
  for (char32_t cp : cps) {
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

std::string MouseName(XmlDocument& doc) {
  if (!doc.FindNext("config") || !doc.EnterElement() || !doc.FindNext("mouse")) return "<missing>";
  return doc.GetAttribute("name");
}

TEST(XmlEncoding, Utf16WithByteOrderMarkLoadsLikeUtf8) {
  XmlDocument utf8;
  ASSERT_TRUE(utf8.LoadFile(WriteTemp("u8.xml", kUtf8Doc))) << utf8.Result();
  const std::string expected = MouseName(utf8);
  EXPECT_EQ(expected, "K\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x96\xB1");

  XmlDocument le;
  ASSERT_TRUE(le.LoadFile(WriteTemp("le.xml", "\xFF\xFE" + ToUtf16(kUtf8Doc, false)))) << le.Result();
  EXPECT_EQ(MouseName(le), expected);
  EXPECT_EQ(le.Text(), utf8.Text());

  XmlDocument be;
  ASSERT_TRUE(be.LoadFile(WriteTemp("be.xml", "\xFE\xFF" + ToUtf16(kUtf8Doc, true)))) << be.Result();
  EXPECT_EQ(MouseName(be), expected);
  EXPECT_NE(be.Result().find("endian_swap"), std::string::npos) << be.Result();

  XmlDocument bom8;
  ASSERT_TRUE(bom8.LoadFile(WriteTemp("bom8.xml", "\xEF\xBB\xBF" + kUtf8Doc)));
  EXPECT_EQ(bom8.Text(), utf8.Text());
}

TEST(XmlEncoding, DeclaredSingleByteEncodingIsConverted) {
  XmlDocument doc;
  const std::string bytes = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><config><mouse name=\"\x80 \xE9\"/></config>";
  ASSERT_TRUE(doc.LoadFile(WriteTemp("cp.xml", bytes))) << doc.Result();
  EXPECT_EQ(MouseName(doc), "\xE2\x82\xAC \xC3\xA9");

  XmlDocument latin;
  ASSERT_TRUE(latin.LoadBytes("<?xml version='1.0' encoding='ISO-8859-1'?><config><mouse name='\xE9'/></config>"));
  EXPECT_EQ(MouseName(latin), "\xC3\xA9");
}

TEST(XmlEncoding, WithoutMarkOrDeclarationUtf8IsTestedBeforeTheCodePage) {
  // Not starting with '<': valid UTF-8 is taken as UTF-8 ...
  XmlDocument utf8;
  ASSERT_TRUE(utf8.LoadBytes("\r\n<config><mouse name=\"\xC3\xA9\"/></config>"));
  EXPECT_EQ(MouseName(utf8), "\xC3\xA9");
  EXPECT_NE(utf8.Result().find("utf8_detection"), std::string::npos);
  // ... and anything else as Windows-1252.
  XmlDocument ansi;
  ASSERT_TRUE(ansi.LoadBytes("\r\n<config><mouse name=\"\xE9\x80\"/></config>"));
  EXPECT_EQ(MouseName(ansi), "\xC3\xA9\xE2\x82\xAC");
}

TEST(XmlEncoding, InvalidUtf8StartingWithTagBecomesReplacementCharacters) {
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadBytes("<config><mouse name=\"a\xFF\xC0\xAF\xED\xA0\x80z\"/></config>"));
  const std::string name = MouseName(doc);
  EXPECT_EQ(name.front(), 'a');
  EXPECT_EQ(name.back(), 'z');
  EXPECT_NE(name.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(name.find('\xFF'), std::string::npos);
  EXPECT_NE(doc.Result().find("conversion_loss"), std::string::npos);
}

TEST(XmlEncoding, NulCharactersAreRemoved) {
  XmlDocument doc;
  const char raw[] = "<con\0fig><mouse na\0me=\"x\0y\"/></config>";
  ASSERT_TRUE(doc.LoadBytes(std::string(raw, sizeof raw - 1)));
  EXPECT_EQ(MouseName(doc), "xy");
  EXPECT_NE(doc.Result().find("nulls_removed"), std::string::npos);
}

TEST(XmlEncoding, LoneSurrogatesAndOddLengthInUtf16GiveADefinedText) {
  std::string body = ToUtf16("<config><mouse name=\"a", false);
  body += std::string("\x00\xD8", 2);  // high surrogate with no low one
  body += ToUtf16("b\xF0\x9F\x96\xB1", false).substr(0, 2);
  body += std::string("\x00\xDC", 2);  // low surrogate alone
  body += ToUtf16("\"/></config>", false) + "x";
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadBytes("\xFF\xFE" + body)) << doc.Result();
  EXPECT_EQ(MouseName(doc), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_NE(doc.Result().find("truncation_error"), std::string::npos);
}

TEST(XmlEncoding, SavedInTheDeclaredEncodingWithoutByteOrderMark) {
  XmlDocument doc;
  doc.SetText(kUtf8Doc);  // declares UTF-16
  const std::string path = (test::TempDir() / "saved16.xml").string();
  ASSERT_TRUE(doc.SaveFile(path));
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes, ToUtf16(kUtf8Doc, false));
  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(path)) << back.Result();
  EXPECT_EQ(back.Text(), doc.Text());

  XmlDocument plain;
  plain.SetText("<config><mouse name=\"\xC3\xA9\"/></config>");
  ASSERT_TRUE(plain.SaveFile(path));
  EXPECT_EQ(ReadBytes(path), plain.Text());

  XmlDocument ansi;
  ansi.SetText("<?xml version=\"1.0\" encoding=\"windows-1252\"?><config><mouse name=\"\xE2\x82\xAC\xE4\xB8\xAD\"/></config>");
  ASSERT_TRUE(ansi.SaveFile(path));
  const std::string ansiBytes = ReadBytes(path);
  EXPECT_NE(ansiBytes.find("name=\"\x80?\""), std::string::npos);
  EXPECT_NE(ansi.Result().find("conversion_loss"), std::string::npos);
}

TEST(XmlEncoding, OtherDeclaredEncodingsGoThroughTheSystemConverter) {
  // "中" in GBK is D6 D0.
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadBytes("<?xml version=\"1.0\" encoding=\"GBK\"?><config><mouse name=\"\xD6\xD0\"/></config>"));
  EXPECT_EQ(MouseName(doc), "\xE4\xB8\xAD");
  // An encoding nobody knows falls back to the '<' rule: UTF-8.
  XmlDocument unknown;
  ASSERT_TRUE(unknown.LoadBytes("<?xml version=\"1.0\" encoding=\"x-none\"?><config><mouse name=\"\xC3\xA9\"/></config>"));
  EXPECT_EQ(MouseName(unknown), "\xC3\xA9");
}

}  // namespace
}  // namespace korvex
