// The one UTF-16 decoder and UTF-8 encoder under the XML reader, the
// language files and the HID product strings.
#include <gtest/gtest.h>

#include "text/Utf.h"

namespace korvex::text {
namespace {

using namespace std::string_literals;

TEST(Utf16Decoder, PairsLoneHalvesOddBytesAndByteOrder) {
  bool lossy = false, truncated = false;
  // "A", U+1F600 as a pair, U+00E9, both orders.
  EXPECT_EQ(Utf16ToUtf8("A\0\x3D\xD8\x00\xDE\xE9\0"s, false, &lossy, &truncated), "A\xF0\x9F\x98\x80\xC3\xA9");
  EXPECT_EQ(Utf16ToUtf8("\0A\xD8\x3D\xDE\x00\0\xE9"s, true, &lossy, &truncated), "A\xF0\x9F\x98\x80\xC3\xA9");
  EXPECT_FALSE(lossy);
  EXPECT_FALSE(truncated);
  // A high half at the very end and a low half alone are replaced, an odd
  // last byte is dropped, a NUL is kept.
  EXPECT_EQ(Utf16ToUtf8("\x00\xDC" "B\0\0\0\x3D\xD8" "C"s, false, &lossy, &truncated),
            "\xEF\xBF\xBD" "B\0\xEF\xBF\xBD"s);
  EXPECT_TRUE(lossy);
  EXPECT_TRUE(truncated);
  EXPECT_EQ(Utf16ToUtf8("", false), "");
}

TEST(Utf16Decoder, EncoderReplacesWhatIsNoCharacter) {
  std::string out;
  EXPECT_TRUE(AppendUtf8(out, 0x7F));
  EXPECT_TRUE(AppendUtf8(out, 0x7FF));
  EXPECT_TRUE(AppendUtf8(out, 0xFFFF));
  EXPECT_TRUE(AppendUtf8(out, 0x10FFFF));
  EXPECT_EQ(out, "\x7F\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF");
  out.clear();
  EXPECT_FALSE(AppendUtf8(out, 0xD800));
  EXPECT_FALSE(AppendUtf8(out, 0x110000));
  EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace korvex::text
