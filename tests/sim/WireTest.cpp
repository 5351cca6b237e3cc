#include <gtest/gtest.h>

#include "transport/virtual/VmouseWire.h"
#include "transport/virtual/WireFramer.h"

namespace korvex::vmouse {
namespace {

WireMessage Full() {
  WireMessage m;
  m.type = MessageType::Interfaces;
  m.id = 0x01020304;
  m.handle = 0x1122334455667788ull;
  m.value = -5;
  m.bytes = {0x00, 0x10, 0xFF};
  m.texts = {"vmouse:k1:2", "", "ünïcode"};
  HidInterfaceInfo i;
  i.path = "vmouse:k1:2";
  i.vendorId = 0x1209;
  i.productId = 0x0001;
  i.release = 0x0130;
  i.usagePage = 1;
  i.usage = 0;
  i.interfaceNumber = 2;
  i.product = "Korvex K1";
  m.interfaces = {i, i};
  m.event = HidDeviceEvent{HidDeviceEvent::Kind::Removal, "vmouse:k1:3", 0x1209, 0x0001, 3};
  return m;
}

std::vector<std::uint8_t> Encoded(const WireMessage& m) {
  std::vector<std::uint8_t> out;
  EXPECT_TRUE(EncodeMessage(m, out));
  return out;
}

TEST(WireTest, EveryFieldRoundTrips) {
  const WireMessage m = Full();
  const auto bytes = Encoded(m);
  WireMessage d;
  ASSERT_TRUE(DecodeMessage(bytes.data() + 4, bytes.size() - 4, d));
  EXPECT_EQ(d.type, m.type);
  EXPECT_EQ(d.id, m.id);
  EXPECT_EQ(d.handle, m.handle);
  EXPECT_EQ(d.value, -5);
  EXPECT_EQ(d.bytes, m.bytes);
  EXPECT_EQ(d.texts, m.texts);
  ASSERT_EQ(d.interfaces.size(), 2u);
  EXPECT_EQ(d.interfaces[1].product, "Korvex K1");
  EXPECT_EQ(d.interfaces[1].release, 0x0130);
  EXPECT_EQ(d.interfaces[1].interfaceNumber, 2);
  EXPECT_EQ(d.event.kind, HidDeviceEvent::Kind::Removal);
  EXPECT_EQ(d.event.path, "vmouse:k1:3");
  EXPECT_EQ(d.event.interfaceNumber, 3);
}

TEST(WireTest, FramerCutsMessagesFedByteByByte) {
  auto stream = Encoded(Full());
  WireMessage second;
  second.type = MessageType::Close;
  second.handle = 9;
  const auto b = Encoded(second);
  stream.insert(stream.end(), b.begin(), b.end());

  WireFramer framer;
  std::vector<WireMessage> got;
  for (auto byte : stream) {
    framer.Feed(&byte, 1);
    WireMessage m;
    while (framer.Next(m) == WireFramer::Result::Message) got.push_back(m);
  }
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1].type, MessageType::Close);
  EXPECT_EQ(got[1].handle, 9u);
  EXPECT_EQ(framer.Pending(), 0u);
}

TEST(WireTest, OversizedAndMalformedInputBreaksTheFramer) {
  WireFramer big;
  const std::uint8_t huge[] = {0xFF, 0xFF, 0xFF, 0xFF};
  big.Feed(huge, sizeof huge);
  WireMessage m;
  EXPECT_EQ(big.Next(m), WireFramer::Result::Broken);
  EXPECT_EQ(big.Next(m), WireFramer::Result::Broken);  // stays broken

  const auto good = Encoded(Full());
  auto corrupt = [&](std::size_t at, std::uint8_t value) {
    auto bytes = good;
    bytes[at] = value;
    WireFramer f;
    f.Feed(bytes.data(), bytes.size());
    WireMessage out;
    return f.Next(out);
  };
  EXPECT_EQ(corrupt(4, 0), WireFramer::Result::Broken);    // type 0
  EXPECT_EQ(corrupt(4, 99), WireFramer::Result::Broken);   // unknown type
  EXPECT_EQ(corrupt(30, 0xFF), WireFramer::Result::Broken);  // byte count beyond the body

  // Declared length shorter or longer than the fields.
  for (int delta : {-1, 1}) {
    auto bytes = good;
    const std::uint32_t n = static_cast<std::uint32_t>(bytes.size() - 4 + delta);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(n >> (8 * i));
    if (delta > 0) bytes.push_back(0);
    WireFramer f;
    f.Feed(bytes.data(), bytes.size());
    WireMessage out;
    EXPECT_EQ(f.Next(out), WireFramer::Result::Broken) << delta;
  }

  // The event kind has two values.
  auto bytes = good;
  WireMessage plain;
  plain.type = MessageType::Watch;
  bytes = Encoded(plain);
  const std::size_t kindAt = 4 + 1 + 4 + 8 + 4 + 8 + 2 + 2 + 2;
  bytes[kindAt] = 2;
  WireMessage out;
  EXPECT_FALSE(DecodeMessage(bytes.data() + 4, bytes.size() - 4, out));
  EXPECT_FALSE(DecodeMessage(nullptr, 0, out));
}

TEST(WireTest, EncoderRefusesFieldsThatDoNotFit) {
  WireMessage m;
  m.type = MessageType::Control;
  m.texts.push_back(std::string(70000, 'x'));
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(EncodeMessage(m, out));
  m.texts.assign(3, std::string(30000, 'x'));  // fits each field, not the body limit
  EXPECT_FALSE(EncodeMessage(m, out));
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace korvex::vmouse
