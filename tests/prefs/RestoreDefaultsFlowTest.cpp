#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prefs/RestoreDefaultsFlow.h"

namespace korvex {
namespace {

class RecordingHost : public RestoreDefaultsHost {
 public:
  explicit RecordingHost(int answer) : answer_(answer) {}
  int AskUser(int title, int message, int buttons) override {
    calls.push_back("ask " + std::to_string(title) + " " + std::to_string(message) + " " + std::to_string(buttons));
    return answer_;
  }
  void ResetDatabaseAndMouse() override { calls.push_back("reset"); }
  void ShowWaitWindow() override { calls.push_back("wait"); }
  std::vector<std::string> calls;

 private:
  int answer_;
};

TEST(RestoreDefaultsFlow, ConfirmedResetComesBeforeTheWaitWindow) {
  RecordingHost host(1);
  EXPECT_EQ(RestoreDefaults(true, host), RestoreOutcome::Started);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ask 570 571 2", "reset", "wait"}));
}

TEST(RestoreDefaultsFlow, CancelOrCloseChangesNothing) {
  for (int answer : {2, 0, -1}) {
    RecordingHost host(answer);
    EXPECT_EQ(RestoreDefaults(true, host), RestoreOutcome::Cancelled);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ask 570 571 2"}));
  }
}

TEST(RestoreDefaultsFlow, WithoutAMouseOnlyTheNoticeIsShown) {
  RecordingHost host(1);
  EXPECT_EQ(RestoreDefaults(false, host), RestoreOutcome::NotConnected);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ask 576 57 1"}));
}

}  // namespace
}  // namespace korvex
