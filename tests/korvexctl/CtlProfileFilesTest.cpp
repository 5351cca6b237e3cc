// korvexctl's profile export and import against the virtual mouse daemon.
#include "CtlHome.h"

namespace korvex::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using CtlProfileFiles = CtlHome;

const std::vector<int> kApplyOrder = {0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07};

std::vector<int> Tail(const std::vector<int>& all, std::size_t n) {
  return all.size() < n ? all : std::vector<int>(all.end() - static_cast<long>(n), all.end());
}

TEST_F(CtlProfileFiles, ExportedProfileImportsBackAndReachesTheMouse) {
  Start("classic");
  ASSERT_EQ(0, Ctl({"set", "lighting", "steady", "--colour", "#00FF00"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "report-rate", "250"}).exitCode);
  const std::string file = dir_ + "/My lights.xml";
  ProcessResult r = Ctl({"profile", "export", file});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("profile 1 (Profile 1) exported to " + file + "\n", r.out);
  const std::string text = ReadWhole(file);
  EXPECT_NE(std::string::npos, text.find("<profileinfo name=\"Profile 1\">")) << text;
  EXPECT_NE(std::string::npos, text.find("<report_rate value=\"4\"/>")) << text;

  ASSERT_EQ(0, Ctl({"set", "lighting", "flow"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "report-rate", "1000"}).exitCode);
  r = Ctl({"profile", "import", file});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("profile 1 is now \"My lights\" and written to the mouse\n", r.out);
  EXPECT_EQ(kApplyOrder, Tail(daemon_->SentCommands(), kApplyOrder.size()));
  const Bytes light = LastFrame(0x05);
  ASSERT_GE(light.size(), 10u);
  EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x05, 0x03, 0x42, 0x00, 0xFF, 0x00}), Bytes(light.begin(), light.begin() + 10));
  EXPECT_NE(std::string::npos, daemon_->Control({"status", "classic"}).out.find("rate: 4 ")) << daemon_->Control({"status", "classic"}).out;
  r = Ctl({"show"});
  EXPECT_NE(std::string::npos, r.out.find("profile: 1 (My lights)")) << r.out;

  // Another profile's file holds that profile's own rows.
  r = Ctl({"--json", "profile", "export", dir_ + "/two.xml", "2"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("{\"ok\":true,\"exported\":\"" + dir_ + "/two.xml\",\"profile\":2,\"name\":\"Profile 2\"}\n", r.out);
  EXPECT_NE(std::string::npos, ReadWhole(dir_ + "/two.xml").find("<report_rate value=\"2\"/>"));
}

TEST_F(CtlProfileFiles, RefusedFilesExitWithTwoChangeNothingAndSendNothing) {
  Start("k3");
  ASSERT_EQ(0, Ctl({"set", "liftoff", "2"}).exitCode);
  const std::string bad = dir_ + "/bad.xml";
  std::ofstream(bad) << "<profile><profileinfo><Mouse><liftoff_height value=\"1\"/></profile>";
  const std::size_t before = daemon_->SentCommands().size();
  for (const std::string& file : {bad, dir_ + "/none.xml"}) {
    ProcessResult r = Ctl({"profile", "import", file});
    EXPECT_EQ(2, r.exitCode) << file;
    EXPECT_NE(std::string::npos, r.err.find("the profile is unchanged")) << r.err;
  }
  std::vector<int> sent = daemon_->SentCommands();
  for (std::size_t i = before; i < sent.size(); ++i) EXPECT_NE(0x09, sent[i]);  // no profile write
  EXPECT_NE(std::string::npos, Ctl({"show"}).out.find("lift-off: 2 mm"));
  EXPECT_EQ(2, Ctl({"profile", "export"}).exitCode);
  EXPECT_EQ(2, Ctl({"profile", "export", dir_ + "/x.xml", "5"}).exitCode);
  EXPECT_EQ(2, Ctl({"profile", "export", dir_ + "/no/folder/x.xml"}).exitCode);
  EXPECT_EQ(2, Ctl({"profile", "2", "3"}).exitCode);

  // Values out of range are skipped, the rest is taken.
  const std::string hostile = dir_ + "/hostile.xml";
  std::ofstream(hostile) << "<profile><profileinfo><keyitems/><Mouse_DPI dpi_count=\"40\"/>"
                            "<Mouse><report_rate value=\"3\"/><liftoff_height value=\"1\"/></Mouse>"
                            "</profileinfo></profile>";
  ProcessResult r = Ctl({"profile", "import", hostile});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("values out of range were skipped")) << r.out;
  r = Ctl({"show"});
  EXPECT_NE(std::string::npos, r.out.find("lift-off: 1 mm")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("dpi stages: 4,")) << r.out;  // the mouse's own count stays
}

}  // namespace
}  // namespace korvex::test
