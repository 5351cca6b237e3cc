// korvexctl against the virtual mouse daemon, checked through the daemon's
// trace and status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "CtlHome.h"
#include "CtlProcess.h"
#include "korvexctl/CtlCommands.h"
#include "korvexctl/CtlSession.h"
#include "platform/AppFolders.h"
#include "platform/SingleInstanceLock.h"
#include "store/SettingsStore.h"

namespace korvex::test {
namespace {

const std::vector<int> kReadOrder = {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A private home for korvexctl and a daemon (CtlHome).
class KorvexctlTest : public CtlHome {
 protected:
  std::string Status(const std::string& device) { return daemon_->Control({"status", device}).out; }
};

TEST_F(KorvexctlTest, DevicesListsEveryInterfaceWithModeOnlineBatteryAndVersions) {
  Start("k3,k3-receiver");
  ProcessResult r = Ctl({"devices"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("* Korvex K3 Wireless (type 112), wired, online, battery 80% (state 1), firmware v1.30"))
      << r.out;
  EXPECT_NE(std::string::npos, r.out.find("  Korvex K3 Wireless (type 112), receiver, online, battery 80%")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("receiver v1.12")) << r.out;
  // The wired connection carries the sync: all reads, never 0x20.
  EXPECT_EQ(kReadOrder, daemon_->SentCommands());

  daemon_->Control({"mouse-off", "k3-receiver"});
  r = Ctl({"--json", "devices"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("\"mode\":\"wired\",\"current\":true,\"online\":true")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("\"mode\":\"receiver\",\"current\":false,\"online\":false")) << r.out;
  EXPECT_EQ(0u, r.out.rfind("{\"ok\":true,\"devices\":[", 0));
}

TEST_F(KorvexctlTest, ReceiverConnectionReadsTheMouseVersionThroughTheReceiver) {
  Start("k5-receiver");
  ProcessResult r = Ctl({"devices"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("* Korvex K5 Pro (type 113), receiver, online")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("receiver v1.12, mouse v1.30")) << r.out;
  EXPECT_EQ(Concat(kReadOrder, {0x20}), daemon_->SentCommands());
}

TEST_F(KorvexctlTest, SetAppliesTheEntryRulesStoresAndSendsOnce) {
  Start("k3");
  ProcessResult r = Ctl({"set", "dpi", "2", "1234"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("DPI stage 2 set to 1200 (the sensor's nearest value to 1234)\n", r.out);
  EXPECT_EQ(Concat(kReadOrder, {0x03}), daemon_->SentCommands());
  EXPECT_NE(std::string::npos, Status("k3").find("registers 4 12 16 32")) << Status("k3");

  r = Ctl({"--json", "set", "dpi", "1", "99999"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("{\"ok\":true,\"setting\":\"dpi\",\"stage\":1,\"value\":16000}\n", r.out);

  ASSERT_EQ(0, Ctl({"set", "dpi-count", "6"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "dpi-index", "6"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "report-rate", "250"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "liftoff", "2"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "sleep", "5"}).exitCode);
  const std::string status = Status("k3");
  EXPECT_NE(std::string::npos, status.find("rate: 4 liftoff: 2")) << status;
  EXPECT_NE(std::string::npos, status.find("power: 30 1 1")) << status;
  EXPECT_NE(std::string::npos, status.find("dpi: count 6 index 5 registers 160 12")) << status;

  // What the store holds is what `show` prints after the next sync.
  r = Ctl({"show"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("dpi stages: 6, active 6\n  1: 16000 dpi")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("report rate: 250 Hz")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("lift-off: 2 mm")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("sleep: 300 s")) << r.out;
}

TEST_F(KorvexctlTest, ValuesTheWindowWouldNotOfferAreRefusedBeforeAnythingIsSent) {
  Start("k3");
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"set", "report-rate", "8000"}, {"set", "dpi", "5", "800"},
        {"set", "dpi", "1", "fast"}, {"set", "sleep", "7"}, {"set", "liftoff", "3"},
        {"set", "dpi-count", "0"}, {"profile", "5"}}) {
    ProcessResult r = Ctl(words);
    EXPECT_EQ(2, r.exitCode) << words[1];
    EXPECT_EQ(0u, r.err.rfind("korvexctl: ", 0)) << r.err;
  }
  for (int c : daemon_->SentCommands()) EXPECT_TRUE(c >= 0x11 && c <= 0x17) << c;
  EXPECT_EQ(2, Ctl({"set", "volume", "3"}).exitCode);
  EXPECT_EQ(2, Ctl({"frobnicate"}).exitCode);
  EXPECT_EQ(0, Ctl({"--help"}).exitCode);
}

TEST_F(KorvexctlTest, ProfileSwitchWritesTheWholeProfileInOrder) {
  Start("k3");
  ProcessResult r = Ctl({"--json", "profile", "2"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("{\"ok\":true,\"profile\":2,\"name\":\"Profile 2\"}\n", r.out);
  EXPECT_EQ(Concat(kReadOrder, {0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07}), daemon_->SentCommands());
  r = Ctl({"show"});
  EXPECT_NE(std::string::npos, r.out.find("profile: 2 (Profile 2)")) << r.out;
}

TEST_F(KorvexctlTest, ResetRestoresTheMouseAndReadsItBack) {
  Start("k1");
  ASSERT_EQ(0, Ctl({"set", "liftoff", "2"}).exitCode);
  ASSERT_NE(std::string::npos, Status("k1").find("liftoff: 2"));
  ProcessResult r = Ctl({"reset"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, Status("k1").find("liftoff: 1"));
  const std::vector<int> sent = daemon_->SentCommands();
  const std::vector<int> tail(sent.end() - 8, sent.end());
  EXPECT_EQ(Concat({0x0F}, kReadOrder), tail);
}

TEST_F(KorvexctlTest, RefusesToRunWhileTheWindowRuns) {
  Start("k1");
  SingleInstanceLock window("Korvex Mouse");
  ASSERT_TRUE(window.TryAcquire());
  ProcessResult r = Ctl({"show"});
  EXPECT_EQ(3, r.exitCode);
  EXPECT_NE(std::string::npos, r.err.find("window is running")) << r.err;
  EXPECT_TRUE(daemon_->SentCommands().empty());
  r = Ctl({"--json", "devices"});
  EXPECT_EQ(3, r.exitCode);
  EXPECT_NE(std::string::npos, r.out.find("\"ok\":false,\"exit_code\":3")) << r.out;
}

TEST_F(KorvexctlTest, NoMouseOrAnUnreachableOneIsSaid) {
  Start("k1,k3-receiver");
  daemon_->Control({"unplug", "k1"});
  daemon_->Control({"mouse-off", "k3-receiver"});
  ProcessResult r = Ctl({"set", "liftoff", "2"});
  EXPECT_EQ(4, r.exitCode);
  EXPECT_NE(std::string::npos, r.err.find("not connected")) << r.err;

  daemon_->Control({"unplug", "k3-receiver"});
  r = Ctl({"devices"});
  EXPECT_EQ(0, r.exitCode);
  EXPECT_EQ("no supported mouse or receiver found\n", r.out);
  r = Ctl({"show"});
  EXPECT_EQ(4, r.exitCode);
  EXPECT_NE(std::string::npos, r.err.find("no supported mouse")) << r.err;
}

// In this process: a refusal right after the synchronisation must end the
// command with exit code 1 and name the command the mouse refused.
TEST_F(KorvexctlTest, ARefusedCommandExitsWithOneAndSaysWhich) {
  Start("k1");
  CtlSession session;
  std::string error;
  ASSERT_EQ(kExitOk, session.Open(0, error)) << error;
  ASSERT_EQ(0, daemon_->Control({"nak", "1"}).exitCode);
  CtlResult r = RunSet(session, {"liftoff", "2"});
  EXPECT_EQ(kExitRefused, r.exitCode);
  EXPECT_EQ("lift-off and sensor options (command 0x06): the mouse did not accept the command", r.error);
  EXPECT_EQ(std::string::npos, Status("k1").find("liftoff: 2"));
  r = RunSet(session, {"liftoff", "2"});
  EXPECT_EQ(kExitOk, r.exitCode) << r.error;
  session.Close();
}

// The nine triples the mouse holds, as its status prints them.
std::string ButtonsOf(const std::string& status) {
  const std::size_t at = status.find("buttons:");
  return at == std::string::npos ? "" : status.substr(at, status.find('\n', at) - at);
}

TEST_F(KorvexctlTest, SetButtonStoresAsThePageAndSendsTheTriple) {
  Start("k1");
  ProcessResult r = Ctl({"set", "button", "2", "media:mute"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ(Concat(kReadOrder, {0x09}), daemon_->SentCommands());
  r = Ctl({"--json", "set", "button", "4", "key:ctrl+lwin"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("{\"ok\":true,\"setting\":\"button\",\"slot\":4,\"macro_type\":2,\"macro_value\":227,"
            "\"macro_value2\":1,\"description\":\"Ctrl + Windows\"}\n", r.out);
  ASSERT_EQ(0, Ctl({"set", "button", "3", "fire:2,300"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "button", "5", "dpi:down"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "button", "6", "shortcut:copy"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "button", "7", "special:1"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "button", "8", "disable"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "button", "9", "wheel-up"}).exitCode);
  EXPECT_EQ("buttons: 100100 80E200 3005FF 700900 400300 700106 600400 600000 200100 macros: 0 0 0 0 0 0 0 0 0",
            ButtonsOf(Status("k1")));

  // The store holds what the page would: a second sync sends the same.
  ASSERT_EQ(0, Ctl({"set", "button", "3", "default"}).exitCode);
  EXPECT_EQ("buttons: 100100 80E200 100400 700900 400300 700106 600400 600000 200100 macros: 0 0 0 0 0 0 0 0 0",
            ButtonsOf(Status("k1")));
  r = Ctl({"reset", "buttons"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("buttons: 100100 100200 100400 100800 101000 400100 000000 000000 000000 macros: 0 0 0 0 0 0 0 0 0",
            ButtonsOf(Status("k1")));
}

TEST_F(KorvexctlTest, SetButtonRefusesTheLeftButtonAndBadFunctionsBeforeSending) {
  Start("k1");
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"set", "button", "1", "right"}, {"set", "button", "0", "left"},
        {"set", "button", "10", "left"}, {"set", "button", "x", "left"}, {"set", "button", "2", "key:hyper+a"},
        {"set", "button", "2", "macro:77"}, {"set", "button", "2"}, {"reset", "knobs"}}) {
    ProcessResult r = Ctl(words);
    EXPECT_EQ(2, r.exitCode) << words.back();
    EXPECT_EQ(0u, r.err.rfind("korvexctl: ", 0)) << r.err;
  }
  for (int c : daemon_->SentCommands()) EXPECT_TRUE(c >= 0x11 && c <= 0x17) << c;
  // Giving the left button back its own click is no reassignment.
  EXPECT_EQ(0, Ctl({"set", "button", "1", "default"}).exitCode);
}

TEST_F(KorvexctlTest, AMacroBindingUploadsTheMacroFirst) {
  Start("k1");
  ASSERT_EQ(0, Ctl({"show"}).exitCode);  // the model's database exists now
  int macro = 0;
  {
    SettingsStore store;
    ASSERT_TRUE(store.OpenForModel(DataFolder("Korvex Mouse"), "korvex_k1"));
    macro = store.CreateMacro("Reload");
    MacroEventRecord e;
    e.macro_id = macro;
    for (int i = 0; i < 8; ++i) {
      e.type = i % 2 == 0 ? 2 : 3;
      e.record_index = i;
      e.value = 'R';
      store.InsertMacroEvent(e);
    }
    store.CloseIfOpen();
  }
  const std::size_t before = daemon_->SentCommands().size();
  ProcessResult r = Ctl({"--json", "set", "button", "4", "macro:" + std::to_string(macro)});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("\"macro_type\":4,\"macro_value\":" + std::to_string(macro) +
                                          ",\"macro_value2\":0,\"description\":\"Reload\"")) << r.out;
  const std::vector<int> sent = daemon_->SentCommands();
  ASSERT_GT(sent.size(), before);
  EXPECT_EQ((std::vector<int>{0x08, 0x08, 0x09}), std::vector<int>(sent.end() - 3, sent.end()));
  EXPECT_NE(std::string::npos, ButtonsOf(Status("k1")).find(" 902301 ")) << Status("k1");
  EXPECT_NE(std::string::npos, ButtonsOf(Status("k1")).find("macros: 0 0 0 8 ")) << Status("k1");
}

}  // namespace
}  // namespace korvex::test

namespace korvex::test {
namespace {

TEST_F(KorvexctlTest, SensorPowerAndColourSettingsReachTheMouse) {
  Start("k1");
  ProcessResult r = Ctl({"set", "sensor", "angle", "on"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  ASSERT_EQ(0, Ctl({"set", "sensor", "ripple", "on"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "wake", "off"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "lights-off-moving", "off"}).exitCode);
  r = Ctl({"--json", "set", "response-time", "17"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("{\"ok\":true,\"setting\":\"response-time\",\"value\":17}\n", r.out);
  r = Ctl({"set", "dpi-colour", "2", "#ff8000"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("DPI stage 2 colour set to #FF8000\n", r.out);
  std::string status = Status("k1");
  EXPECT_NE(std::string::npos, status.find("sensor: 1 1 power: 10 0 0 17")) << status;
  EXPECT_NE(std::string::npos, status.find("colours FF0000 FF8000")) << status;

  // Off again clears only its own bit.
  ASSERT_EQ(0, Ctl({"set", "sensor", "ripple", "off"}).exitCode);
  status = Status("k1");
  EXPECT_NE(std::string::npos, status.find("sensor: 0 1")) << status;
  r = Ctl({"set", "sensor", "motion-sync", "on"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("does not carry it")) << r.out;

  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"set", "sensor", "snap", "on"}, {"set", "sensor", "angle", "yes"},
        {"set", "wake", "1"}, {"set", "response-time", "21"}, {"set", "response-time", "-1"},
        {"set", "dpi-colour", "9", "#FFFFFF"}, {"set", "dpi-colour", "1", "FFFFFF"}, {"reset", "lights"}}) {
    EXPECT_EQ(2, Ctl(words).exitCode) << words[1] << " " << words.back();
  }
  EXPECT_EQ(2, Ctl({"set", "sensor", "angle"}).exitCode);
}

TEST_F(KorvexctlTest, DpiAndReportRateResets) {
  Start("k1");
  ASSERT_EQ(0, Ctl({"set", "dpi", "1", "5000"}).exitCode);
  ASSERT_EQ(0, Ctl({"set", "report-rate", "250"}).exitCode);
  auto since = [this](std::size_t from) {
    const std::vector<int> all = daemon_->SentCommands();
    return std::vector<int>(all.begin() + static_cast<long>(std::min(from, all.size())), all.end());
  };
  std::size_t before = daemon_->SentCommands().size();
  ProcessResult r = Ctl({"reset", "dpi"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("DPI stages back to the model's defaults\n", r.out);
  EXPECT_EQ(Concat(kReadOrder, {0x0C}), since(before));
  before = daemon_->SentCommands().size();
  EXPECT_NE(std::string::npos, Status("k1").find("dpi: count 4 index 1")) << Status("k1");
  r = Ctl({"--json", "reset", "report-rate"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("{\"ok\":true,\"reset\":\"report-rate\",\"report_rate_hz\":1000}\n", r.out);
  const std::string status = Status("k1");
  EXPECT_NE(std::string::npos, status.find("rate: 1 ")) << status;
  EXPECT_EQ(Concat(kReadOrder, {0x0D, 0x12}), since(before));
}

}  // namespace
}  // namespace korvex::test
