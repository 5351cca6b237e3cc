#include <gtest/gtest.h>

#include "HandFrames.h"
#include "sim/DeviceRoster.h"
#include "sim/MouseFirmware.h"

namespace korvex::sim {
namespace {

using simtest::Bytes;

// Stream of a button: key code, then n events (key press / release of A with
// a delay that encodes the event's index, so misplaced chunks show).
Bytes Stream(std::uint8_t key, int events) {
  Bytes s = {key};
  for (int i = 0; i < events; ++i) {
    s.insert(s.end(), {static_cast<std::uint8_t>(i % 2 ? 0xB0 : 0x30),
                       static_cast<std::uint8_t>(i + 1), 0x00, 0x04});
  }
  return s;
}

// Packet `index` of `count` carrying stream bytes [27 * index, ...).
Bytes Packet(const Bytes& stream, int index, int count) {
  const std::size_t from = 27u * index;
  const std::size_t n = std::min<std::size_t>(27, stream.size() - from);
  Bytes f(33, 0);
  f[1] = 0x08;
  f[3] = static_cast<std::uint8_t>((index << 4) | count);
  f[4] = static_cast<std::uint8_t>(n);
  std::copy(stream.begin() + from, stream.begin() + from + n, f.begin() + 5);
  unsigned sum = 0;
  for (int k = 5; k < 32; ++k) sum += f[k];
  f[32] = static_cast<std::uint8_t>(sum);
  return f;
}

class MacroAssemblyTest : public ::testing::Test {
 protected:
  MouseFirmware mouse_{MouseIdentity{"K1WD", 38, 0, 1, 1, 0x30, false}};

  std::uint8_t Send(const Bytes& f) {
    InputReport r{};
    EXPECT_TRUE(mouse_.HandleOutputReport(f.data(), f.size(), r));
    return r[1];
  }
  const Bytes& Macro(int key) { return mouse_.ActiveSlot().macros[key]; }
};

TEST_F(MacroAssemblyTest, SinglePacketStream) {
  // Key A press, 120 ms, key A release on slot 3: 03 30 78 00 04 B0 01 00 04.
  const Bytes stream = {0x03, 0x30, 0x78, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04};
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x01, 0x09},
                                {0x03, 0x30, 0x78, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04})),
            0x00);
  EXPECT_EQ(Macro(3), stream);
  // A macro without events: just the key code.
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x01, 0x01}, {0x03})), 0x00);
  EXPECT_EQ(Macro(3), Bytes{0x03});
}

TEST_F(MacroAssemblyTest, MultiPacketStreamsAreReassembled) {
  const Bytes seven = Stream(4, 7);  // L = 29: 27 + 2
  EXPECT_EQ(Send(Packet(seven, 0, 2)), 0x00);
  EXPECT_TRUE(mouse_.MacroUploadInProgress());
  EXPECT_TRUE(Macro(4).empty());  // nothing reaches flash before the end
  EXPECT_EQ(Send(Packet(seven, 1, 2)), 0x00);
  EXPECT_EQ(Macro(4), seven);

  const Bytes twenty = Stream(5, 20);  // L = 81: three full packets
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Send(Packet(twenty, i, 3)), 0x00);
  EXPECT_EQ(Macro(5), twenty);

  const Bytes most = Stream(8, 101);  // 405 bytes, fifteen packets
  for (int i = 0; i < 15; ++i) EXPECT_EQ(Send(Packet(most, i, 15)), 0x00);
  EXPECT_EQ(Macro(8), most);
}

TEST_F(MacroAssemblyTest, LeftoverBytesAfterTheLastChunkAreIgnored) {
  const Bytes seven = Stream(2, 7);
  Bytes last = Packet(seven, 1, 2);
  for (int k = 7; k < 32; ++k) last[k] = 0xEE;  // stale bytes of a reused buffer
  unsigned sum = 0;
  for (int k = 5; k < 32; ++k) sum += last[k];
  last[32] = static_cast<std::uint8_t>(sum);
  Send(Packet(seven, 0, 2));
  EXPECT_EQ(Send(last), 0x00);
  EXPECT_EQ(Macro(2), seven);
}

TEST_F(MacroAssemblyTest, OutOfOrderAndIncompleteUploadsLeaveFlashAlone) {
  const Bytes stream = Stream(1, 20);
  EXPECT_EQ(Send(Packet(stream, 1, 3)), 0x05);  // no upload in progress
  EXPECT_EQ(Send(Packet(stream, 0, 3)), 0x00);
  EXPECT_EQ(Send(Packet(stream, 2, 3)), 0x05);  // packet 1 missing
  EXPECT_FALSE(mouse_.MacroUploadInProgress());
  EXPECT_EQ(Send(Packet(stream, 1, 3)), 0x05);  // the upload was dropped
  EXPECT_TRUE(Macro(1).empty());

  // Same packet twice, and a packet that claims another count.
  Send(Packet(stream, 0, 3));
  EXPECT_EQ(Send(Packet(stream, 0, 3)), 0x00);  // a new packet 0 restarts
  EXPECT_EQ(Send(Packet(stream, 1, 4)), 0x05);
  EXPECT_TRUE(Macro(1).empty());

  // An abandoned upload does not leak into the next one.
  Send(Packet(Stream(1, 30), 0, 5));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Send(Packet(stream, i, 3)), 0x00);
  EXPECT_EQ(Macro(1), stream);
}

TEST_F(MacroAssemblyTest, MalformedPacketsAndStreamsAreRefused) {
  const Bytes stream = Stream(1, 20);
  Bytes shortMiddle = Packet(stream, 0, 3);
  shortMiddle[4] = 26;
  EXPECT_EQ(Send(shortMiddle), 0x03);
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x00, 0x01}, {0x01})), 0x03);  // zero packets
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x22, 0x01}, {0x01})), 0x03);  // index 2 of 2
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x01, 0x00})), 0x03);           // empty
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x01, 28})), 0x03);             // above 27

  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x01, 0x03}, {0x01, 0x30, 0x01})), 0x04);
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x01, 0x05}, {0x09, 0x30, 1, 0, 4})), 0x04);
  EXPECT_EQ(Send(simtest::Frame({0, 0x08, 0, 0x01, 0x05}, {0x01, 0x55, 1, 0, 4})), 0x04);
  for (int key = 0; key < kButtonCount; ++key) EXPECT_TRUE(Macro(key).empty());
}

}  // namespace
}  // namespace korvex::sim
