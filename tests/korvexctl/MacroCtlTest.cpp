// korvexctl macro commands against the virtual mouse daemon: import prints
// the new ids, export and import round trip, refused files and unknown ids
// exit with 2 and change nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "CtlHome.h"
#include "CtlProcess.h"

namespace korvex::test {
namespace {

class MacroCtlTest : public CtlHome {
 protected:
  void SetUp() override { Start("k1"); }
  std::string File(const char* name, const std::string& text) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << text;
    return path;
  }
};

TEST_F(MacroCtlTest, ImportExportShowAndDelete) {
  const std::string all = File("all.xml",
                               "<macro><macro_item macro_name=\"Custom 1\" macro_type=\"2\"><record_item>"
                               "<item desc=\"\u2193  A\" index=\"0\" type=\"2\" value=\"65\"/>"
                               "<item desc=\"x\" index=\"1\" type=\"6\" value=\"1\"/>"
                               "<item desc=\"\u2191  A\" index=\"2\" type=\"3\" value=\"65\"/>"
                               "</record_item></macro_item><macro_item macro_name=\"b\"/></macro>");
  ProcessResult r = Ctl({"macro", "import-all", all});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("1\n2\nskipped 1 events the mouse cannot play\n", r.out);

  r = Ctl({"--json", "macro", "list"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("{\"id\":1,\"name\":\"Custom 1\",\"stored_name\":\"Custom 1\",\"events\":2"))
      << r.out;

  const std::string one = dir_ + "/one.xml";
  ASSERT_EQ(0, Ctl({"macro", "export", "1", one}).exitCode);
  r = Ctl({"--json", "macro", "import", one});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("{\"ok\":true,\"ids\":[3],\"skipped_events\":0}\n", r.out);
  r = Ctl({"macro", "show", "3"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("playback: press to start, press again to stop")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("2. key up  \u2191  A  (value 65)")) << r.out;

  ASSERT_EQ(0, Ctl({"macro", "export-all", dir_ + "/back.xml"}).exitCode);
  ASSERT_EQ(0, Ctl({"macro", "delete", "2"}).exitCode);
  EXPECT_EQ(2, Ctl({"macro", "show", "2"}).exitCode);
  EXPECT_EQ(2, Ctl({"macro", "delete", "x"}).exitCode);
}

TEST_F(MacroCtlTest, RefusedFilesAndWrongUsageChangeNothing) {
  const std::string single = File("one.xml", "<macro><macroinfo macro_name=\"a\"/><macroitems/></macro>");
  ProcessResult r = Ctl({"macro", "import-all", single});
  EXPECT_EQ(2, r.exitCode);
  EXPECT_NE(std::string::npos, r.err.find("no macro of this layout")) << r.err;
  std::string many = "<macro><macroinfo macro_name=\"a\"/><macroitems>";
  for (int i = 0; i < 10001; ++i) many += "<item type=\"1\" value=\"1\"/>";
  EXPECT_EQ(2, Ctl({"macro", "import", File("many.xml", many + "</macroitems></macro>")}).exitCode);
  EXPECT_EQ(2, Ctl({"macro", "import", dir_ + "/missing.xml"}).exitCode);
  EXPECT_EQ(2, Ctl({"macro", "export", "1"}).exitCode) << "missing FILE";
  EXPECT_EQ(2, Ctl({"macro"}).exitCode);
  EXPECT_EQ(2, Ctl({"macro", "rename", "1", "x"}).exitCode);
  r = Ctl({"macro", "list"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("no macros\n", r.out);
}

}  // namespace
}  // namespace korvex::test
