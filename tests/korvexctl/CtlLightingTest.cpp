// korvexctl's lighting commands against the virtual mouse daemon.
#include "CtlHome.h"

namespace korvex::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using CtlLighting = CtlHome;

Bytes Head(const Bytes& frame, std::size_t n) { return Bytes(frame.begin(), frame.begin() + std::min(n, frame.size())); }

TEST_F(CtlLighting, EachModeIsSentWithItsBytes) {
  Start("classic");
  ProcessResult r = Ctl({"set", "lighting", "off", "--brightness", "0", "--speed", "0"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("lighting set to off, brightness 0, speed 0\n", r.out);
  EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x02, 0x00, 0x00, 0x00}), Head(LastFrame(0x05), 8));

  ASSERT_EQ(0, Ctl({"set", "lighting", "flow"}).exitCode);
  const Bytes flow = LastFrame(0x05);
  EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x03, 0x01, 0x42, 0x00}), Head(flow, 8));
  ASSERT_GE(flow.size(), 33u);
  EXPECT_EQ(0x43, flow[32]);

  r = Ctl({"set", "lighting", "steady", "--colour", "#00ff0c"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x05, 0x03, 0x42, 0x00, 0xFF, 0x0C}), Head(LastFrame(0x05), 10));

  r = Ctl({"set", "lighting", "breathing", "--speed", "1", "--colour", "#010203", "#040506"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  const Bytes breathing = LastFrame(0x05);
  EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x18, 0x02, 0x41, 0x07, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00, 0x00,
                   0xFF}),
            Head(breathing, 17));

  for (const char* mode : {"neon", "wave"}) {
    ASSERT_EQ(0, Ctl({"set", "lighting", mode, "--brightness", "2"}).exitCode) << mode;
    EXPECT_EQ(0x22, LastFrame(0x05)[6]) << mode;
  }
  EXPECT_EQ(0x05, LastFrame(0x05)[5]);

  r = Ctl({"show"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("lighting modes:\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("  * wave (mode 5")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("    breathing (mode 2")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("colours #010203 #040506 #0000FF")) << r.out;
}

TEST_F(CtlLighting, RefusalsExitWithTwoAndSendNothing) {
  Start("k3,k1");
  const std::size_t sentBefore = [&] {
    EXPECT_EQ(0, Ctl({"show"}).exitCode);
    return daemon_->SentCommands().size();
  }();
  // The K3 offers no colour choice in any mode.
  ProcessResult r = Ctl({"set", "lighting", "steady", "--colour", "#FF0000"});
  EXPECT_EQ(2, r.exitCode);
  EXPECT_NE(std::string::npos, r.err.find("takes no colour")) << r.err;
  EXPECT_EQ(2, Ctl({"set", "lighting", "sparkle"}).exitCode);
  EXPECT_EQ(2, Ctl({"set", "lighting", "flow", "--brightness", "5"}).exitCode);
  EXPECT_EQ(2, Ctl({"set", "lighting", "flow", "--speed"}).exitCode);
  EXPECT_EQ(2, Ctl({"set", "lighting", "flow", "--colour", "red"}).exitCode);
  EXPECT_EQ(2, Ctl({"set", "lighting", "flow", "--fast"}).exitCode);
  // The K1 has no lighting at all.
  r = Ctl({"--device", "111", "set", "lighting", "flow"});
  EXPECT_EQ(2, r.exitCode);
  EXPECT_NE(std::string::npos, r.err.find("no lighting")) << r.err;
  EXPECT_EQ(2, Ctl({"--device", "111", "reset", "lighting"}).exitCode);
  for (int code : daemon_->SentCommands()) EXPECT_NE(0x05, code);
  EXPECT_LE(sentBefore, daemon_->SentCommands().size());
}

TEST_F(CtlLighting, ResetRestoresTheDefaultsAndReadsTheMouseBack) {
  Start("classic");
  ASSERT_EQ(0, Ctl({"set", "lighting", "neon", "--brightness", "1", "--speed", "0"}).exitCode);
  ProcessResult r = Ctl({"reset", "lighting"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  const std::vector<int> sent = daemon_->SentCommands();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ((std::vector<int>{0x0E, 0x15}), std::vector<int>(sent.end() - 2, sent.end()));
  r = Ctl({"show"});
  EXPECT_NE(std::string::npos, r.out.find("neon (mode 4, ")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("): brightness 4, speed 2\n")) << r.out;
}

}  // namespace
}  // namespace korvex::test
