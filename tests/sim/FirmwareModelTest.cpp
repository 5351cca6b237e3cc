#include <gtest/gtest.h>

#include "HandFrames.h"
#include "sim/DeviceRoster.h"
#include "sim/MouseFirmware.h"
#include "sim/VirtualDevice.h"

namespace korvex::sim {
namespace {

using simtest::Bytes;
using simtest::Frame;
using simtest::Read;
using simtest::Write;

DeviceSpec SpecNamed(const std::string& name) {
  std::vector<DeviceSpec> specs;
  std::string error;
  EXPECT_TRUE(ParseDeviceSpec(name, specs, error)) << error;
  return specs.at(0);
}

class FirmwareModelTest : public ::testing::Test {
 protected:
  MouseFirmware mouse_{SpecNamed("k3").mouse};
  InputReport reply_{};

  std::uint8_t Send(const Bytes& frame) {
    EXPECT_TRUE(mouse_.HandleOutputReport(frame.data(), frame.size(), reply_));
    return reply_[1];
  }
};

TEST_F(FirmwareModelTest, EveryReadIsAnsweredWithItsCommandAndAnAck) {
  for (std::uint8_t cmd : {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x20}) {
    EXPECT_EQ(Send(Read(cmd)), 0x00) << int(cmd);
    EXPECT_EQ(reply_[0], cmd);
  }
  Send(Read(0x10));
  EXPECT_EQ(std::string(reply_.begin() + 4, reply_.begin() + 8), "K3WL");
  EXPECT_EQ(reply_[10], 53);
  EXPECT_EQ(reply_[11], 0x10);
  EXPECT_EQ(reply_[14], 1);
  Send(Read(0x20));
  EXPECT_EQ(reply_[4], 0x01);
  EXPECT_EQ(reply_[5], 0x30);
}

TEST_F(FirmwareModelTest, WritesAreAcknowledgedAndReadBackOneByteEarlier) {
  EXPECT_EQ(Send(Write(0x02, 0x01, {0x02}, 65)), 0x00);
  Send(Read(0x12));
  EXPECT_EQ(reply_[4], 0x02);

  // Stage count 4, index 1, registers 8 16 24 32 48 64 (X and Y).
  EXPECT_EQ(Send(Frame({0, 0x03, 0, 0x01, 0x25},
                       {0x14, 8, 0, 8, 0, 16, 0, 16, 0, 24, 0, 24, 0, 32, 0, 32, 0, 48, 0, 48, 0,
                        64, 0, 64, 0})),
            0x00);
  Send(Read(0x13));
  EXPECT_EQ(reply_[4], 0x14);
  EXPECT_EQ(Bytes(reply_.begin() + 5, reply_.begin() + 9), (Bytes{8, 0, 8, 0}));
  EXPECT_EQ(reply_[5 + 4 * 5], 64);

  EXPECT_EQ(Send(Write(0x04, 0x12, {0x00, 0x80, 0xFF, 1, 2, 3}, 65)), 0x00);
  Send(Read(0x14));
  EXPECT_EQ(Bytes(reply_.begin() + 4, reply_.begin() + 10), (Bytes{0x00, 0x80, 0xFF, 1, 2, 3}));

  EXPECT_EQ(Send(Write(0x06, 0x05, {3, 1, 0, 0, 0}, 65)), 0x00);
  Send(Read(0x16));
  EXPECT_EQ(Bytes(reply_.begin() + 4, reply_.begin() + 7), (Bytes{3, 1, 0}));

  EXPECT_EQ(Send(Write(0x07, 0x04, {5, 0, 1, 8}, 65)), 0x00);
  Send(Read(0x17));
  EXPECT_EQ(Bytes(reply_.begin() + 4, reply_.begin() + 8), (Bytes{5, 0, 1, 8}));

  EXPECT_EQ(Send(Write(0x09, 0x0F, {0x70, 0x01, 0x06, 0x90, 0x24, 0x03})), 0x00);
  EXPECT_EQ(mouse_.ActiveSlot().buttons[0], (ButtonTriple{0x70, 0x01, 0x06}));
  EXPECT_EQ(mouse_.ActiveSlot().buttons[1], (ButtonTriple{0x90, 0x24, 0x03}));
  EXPECT_EQ(mouse_.ActiveSlot().buttons[8], (ButtonTriple{0, 0, 0}));
}

TEST_F(FirmwareModelTest, LightingModesKeepTheirOwnLayout) {
  EXPECT_EQ(Send(Write(0x05, 0x05, {0x03, 0x42, 0x00, 0x0C, 0xFF}, 65)), 0x00);
  Send(Read(0x15));
  EXPECT_EQ(Bytes(reply_.begin() + 4, reply_.begin() + 9), (Bytes{0x03, 0x42, 0x00, 0x0C, 0xFF}));

  Bytes cycle = {0x02, 0x31, 0x07};
  for (int i = 0; i < 21; ++i) cycle.push_back(static_cast<std::uint8_t>(i + 1));
  Bytes frame = Write(0x05, 0x18, {}, 65);
  std::copy(cycle.begin(), cycle.end(), frame.begin() + 5);
  frame[32] = 0;
  for (int k = 5; k < 32; ++k) frame[32] = static_cast<std::uint8_t>(frame[32] + frame[k]);
  EXPECT_EQ(Send(frame), 0x00);
  EXPECT_EQ(mouse_.ActiveSlot().cycleColours[6], (Rgb{19, 20, 21}));
  Send(Read(0x15));
  EXPECT_EQ(reply_[4], 0x02);
  EXPECT_EQ(reply_[5], 0x31);

  EXPECT_EQ(Send(Write(0x05, 0x02, {0x00, 0x00}, 65)), 0x00);
  EXPECT_EQ(Send(Write(0x05, 0x03, {0x01, 0x42, 0x00}, 65)), 0x00);
  Send(Read(0x15));
  EXPECT_EQ(reply_[4], 0x01);
  EXPECT_EQ(reply_[5], 0x42);

  // A length that does not fit the mode, an unknown mode, and the empty
  // report the program builds for a mode it does not know are all refused.
  EXPECT_EQ(Send(Write(0x05, 0x03, {0x00, 0x00}, 65)), 0x03);
  EXPECT_EQ(Send(Write(0x05, 0x02, {0x07, 0x00}, 65)), 0x04);
  EXPECT_EQ(Send(Write(0x05, 0x00, {}, 65)), 0x03);
  EXPECT_EQ(mouse_.ActiveSlot().lightMode, 1);
}

TEST_F(FirmwareModelTest, RefusesBadChecksumsHeadersAndValuesWithoutApplying) {
  Bytes bad = Write(0x02, 0x01, {0x04});
  bad[32] ^= 0x01;
  EXPECT_EQ(Send(bad), 0x02);
  EXPECT_EQ(mouse_.ActiveSlot().reportRate, 1);

  // The checksum of a frame whose payload is 25 19 is 3E.
  Bytes f = Frame({0, 0x03, 0, 0x01, 0x25}, {0x25, 0x19});
  EXPECT_EQ(f[32], 0x3E);
  EXPECT_EQ(Send(f), 0x00);  // index 2 of 5 stages, first register 0x19
}

TEST_F(FirmwareModelTest, HeaderAndValueChecks) {
  EXPECT_EQ(Send(Frame({0, 0x02, 0x01, 0x01, 0x01}, {0x04})), 0x03);  // byte 2 set
  EXPECT_EQ(Send(Frame({0, 0x02, 0x00, 0x02, 0x01}, {0x04})), 0x03);  // sequence 2 packets
  EXPECT_EQ(Send(Write(0x03, 0x19, {0x14})), 0x03);                    // 0x03 wants 0x25
  EXPECT_EQ(Send(Write(0x09, 0x1B, {})), 0x03);                        // 0x09 wants 0x0F
  EXPECT_EQ(Send(Frame({0, 0x12, 0, 0, 0x01})), 0x03);                 // read with a length
  EXPECT_EQ(Send(Write(0x03, 0x25, {0x07})), 0x04);                    // seven stages
  EXPECT_EQ(Send(Write(0x02, 0x01, {0x03})), 0x04);                    // not a rate code
  EXPECT_EQ(Send(Write(0x02, 0x01, {0x40})), 0x04);                    // 8000 Hz on a 2000 Hz mouse
  EXPECT_EQ(Send(Write(0x02, 0x01, {0x10})), 0x00);
  EXPECT_EQ(Send(Write(0x06, 0x05, {1, 2, 0})), 0x04);
  EXPECT_EQ(Send(Read(0x0A)), 0x01);
  EXPECT_EQ(Send(Read(0x30)), 0x01);

  InputReport r{};
  const Bytes withId = {0x05, 0x10};
  EXPECT_FALSE(mouse_.HandleOutputReport(withId.data(), withId.size(), r));
  const Bytes tooLong(66, 0);
  EXPECT_FALSE(mouse_.HandleOutputReport(tooLong.data(), tooLong.size(), r));
  // A short write is zero-padded like the driver pads it.
  const Bytes shortRead = {0x00, 0x10};
  ASSERT_TRUE(mouse_.HandleOutputReport(shortRead.data(), shortRead.size(), r));
  EXPECT_EQ(r[1], 0x00);
  EXPECT_EQ(r[4], 'K');
}

TEST_F(FirmwareModelTest, ResetsRestoreTheirGroupAndFactoryResetRestoresAll) {
  const SlotSettings factory = mouse_.ActiveSlot();
  Send(Write(0x02, 0x01, {0x08}));
  Send(Write(0x03, 0x25, {0x26, 1, 0, 1, 0}));
  Send(Write(0x05, 0x02, {0x04, 0x11}));
  Send(Write(0x09, 0x0F, {0x60, 0, 0}));
  Send(Write(0x04, 0x12, {9, 9, 9}));

  EXPECT_EQ(Send(Write(0x0C, 0x01, {0x01})), 0x00);
  EXPECT_EQ(mouse_.ActiveSlot().stageX, factory.stageX);
  EXPECT_EQ(mouse_.ActiveSlot().stageCount, factory.stageCount);
  EXPECT_EQ(mouse_.ActiveSlot().stageColour, factory.stageColour);
  EXPECT_EQ(mouse_.ActiveSlot().reportRate, 8);

  EXPECT_EQ(Send(Write(0x0D, 0x01, {0x01})), 0x00);
  EXPECT_EQ(mouse_.ActiveSlot().reportRate, factory.reportRate);
  EXPECT_EQ(Send(Write(0x0E, 0x01, {0x01})), 0x00);
  EXPECT_EQ(mouse_.ActiveSlot().lightMode, factory.lightMode);
  EXPECT_EQ(mouse_.ActiveSlot().buttons[0].function, 0x60);

  ASSERT_TRUE(mouse_.SetActiveSlot(2));
  Send(Write(0x02, 0x01, {0x04}));
  EXPECT_EQ(Send(Write(0x0F, 0x01, {0x01})), 0x04);  // factory reset wants FF
  EXPECT_EQ(Send(Write(0x0D, 0x01, {0xFF})), 0x04);  // the others want 01
  EXPECT_EQ(Send(Write(0x0F, 0x01, {0xFF})), 0x00);
  EXPECT_EQ(mouse_.ActiveSlotIndex(), 0);
  for (int s = 0; s < kSlotCount; ++s) EXPECT_EQ(mouse_.Slot(s), factory) << s;
}

TEST_F(FirmwareModelTest, SlotsAreIndependent) {
  ASSERT_TRUE(mouse_.SetActiveSlot(1));
  Send(Write(0x02, 0x01, {0x02}));
  EXPECT_EQ(mouse_.Slot(1).reportRate, 2);
  EXPECT_EQ(mouse_.Slot(0).reportRate, 1);
  EXPECT_FALSE(mouse_.SetActiveSlot(kSlotCount));
}

TEST_F(FirmwareModelTest, DpiButtonCyclesTheStagesAndReportsThem) {
  Send(Write(0x03, 0x25, {0x23}));  // index 2 of 3
  InputReport r{};
  mouse_.PressDpiButton(r);
  EXPECT_EQ(r[0], 0xC2);
  EXPECT_EQ(r[1], 0x03);  // wrapped to stage 0 of 3
  mouse_.PressDpiButton(r);
  EXPECT_EQ(r[1], 0x13);
  Send(Write(0x03, 0x25, {0x92}));  // index 9 beyond a count of 2
  mouse_.PressDpiButton(r);
  EXPECT_EQ(r[1] >> 4, 0);
}

TEST_F(FirmwareModelTest, FlashImageRoundTripsAndRefusesDamage) {
  Send(Write(0x02, 0x01, {0x04}));
  Send(Frame({0, 0x08, 0, 0x01, 0x05}, {0x02, 0x30, 0x01, 0x00, 0x04}));
  mouse_.SetFirmwareVersion(2, 0x07);
  std::vector<std::uint8_t> image;
  mouse_.SerializeFlash(image);

  MouseFirmware copy(SpecNamed("k3").mouse);
  ASSERT_TRUE(copy.DeserializeFlash(image.data(), image.size()));
  EXPECT_EQ(copy.ActiveSlot(), mouse_.ActiveSlot());
  EXPECT_EQ(copy.Identity().firmwareMajor, 2);

  MouseFirmware fresh(SpecNamed("k3").mouse);
  const SlotSettings before = fresh.ActiveSlot();
  EXPECT_FALSE(fresh.DeserializeFlash(image.data(), image.size() - 1));
  image.push_back(0);
  EXPECT_FALSE(fresh.DeserializeFlash(image.data(), image.size()));
  EXPECT_EQ(fresh.ActiveSlot(), before);
}

TEST(ReceiverModelTest, MouseAwayAnswersOnlyWhoItIs) {
  VirtualDevice receiver(SpecNamed("k3-receiver"));
  std::vector<OutgoingReport> out;
  ASSERT_TRUE(receiver.SetMouseOn(false, out));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].bytes[0], 0xC0);
  EXPECT_EQ(out[0].bytes[1], 0x00);

  out.clear();
  const Bytes info = Read(0x10);
  receiver.HandleOutput(kConfigInterface, info.data(), info.size(), out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].bytes[1], 0x00);
  EXPECT_EQ(std::string(out[0].bytes.begin() + 4, out[0].bytes.begin() + 8), "K3WL");
  EXPECT_EQ(out[0].bytes[13], 0);
  EXPECT_EQ(out[0].bytes[14], 0);

  out.clear();
  const Bytes rate = Write(0x02, 0x01, {0x02});
  receiver.HandleOutput(kConfigInterface, rate.data(), rate.size(), out);
  EXPECT_EQ(out.at(0).bytes[1], 0x06);
  EXPECT_EQ(receiver.Mouse().ActiveSlot().reportRate, 1);
  EXPECT_FALSE(receiver.PressDpiButton(out));

  out.clear();
  receiver.SetBattery(55, 2, out);
  EXPECT_TRUE(out.empty());  // nothing to tell while the mouse is away
  ASSERT_TRUE(receiver.SetMouseOn(true, out));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].bytes[1], 0x01);
  EXPECT_EQ(out[0].bytes[2], 55);
  EXPECT_EQ(out[0].bytes[3], 2);

  VirtualDevice wired(SpecNamed("k1"));
  EXPECT_FALSE(wired.SetMouseOn(false, out));
  const Bytes toPointer = Read(0x10);
  EXPECT_EQ(wired.HandleOutput(kPointerInterface, toPointer.data(), toPointer.size(), out), -1);
}

TEST(RosterTest, SpecGrammar) {
  std::vector<DeviceSpec> specs;
  std::string error;
  ASSERT_TRUE(ParseDeviceSpec(" K3-Receiver , k1", specs, error));
  ASSERT_EQ(specs.size(), 2u);
  EXPECT_TRUE(specs[0].receiver);
  EXPECT_EQ(specs[0].productId, 0x0003);
  EXPECT_EQ(specs[0].mouse.devId, "K3WL");
  EXPECT_EQ(specs[1].mouse.sensor, 38);

  ASSERT_TRUE(ParseDeviceSpec("k5-receiver", specs, error));
  EXPECT_EQ(specs[0].mouse.devId, "K5PR");
  EXPECT_EQ(specs[0].productId, 0x0003);

  ASSERT_TRUE(ParseDeviceSpec("", specs, error));
  EXPECT_EQ(specs.size(), 5u);
  EXPECT_EQ(specs[4].mouse.devId, "CL01");
  EXPECT_EQ(specs[4].mouse.sensor, 99);

  EXPECT_FALSE(ParseDeviceSpec("k1,k2", specs, error));
  EXPECT_NE(error.find("k2"), std::string::npos);
  EXPECT_FALSE(ParseDeviceSpec("k1,,k3", specs, error));
  EXPECT_FALSE(ParseDeviceSpec("receiver,k3-receiver", specs, error));
  EXPECT_TRUE(specs.empty());
}

}  // namespace
}  // namespace korvex::sim
