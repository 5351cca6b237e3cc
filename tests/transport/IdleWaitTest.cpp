// The idle wait: the worker sleeps on its devices and its wake event at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <thread>

#include "TransportTestSupport.h"
#include "platform/WakeEvent.h"
#include "transport/ReportIo.h"

namespace korvex::test {
namespace {

// A device whose readiness is a pipe: what the pipe holds is a report that
// can be read now; otherwise the scripted "ready in" answers.
class PipeDevice : public HidDevice {
 public:
  PipeDevice() { EXPECT_EQ(pipe(fds_), 0); }
  ~PipeDevice() override {
    if (fds_[0] >= 0) close(fds_[0]);
    if (fds_[1] >= 0) close(fds_[1]);
  }
  int Write(const std::uint8_t*, std::size_t) override { return -1; }
  int Read(std::uint8_t*, std::size_t, int) override { return 0; }
  std::string ProductString() override { return {}; }
  int InputFd() override { return withFd ? fds_[0] : -1; }
  int InputReadyInMs() override {
    char c;
    bool took = false;
    while (readable_ > 0 && read(fds_[0], &c, 1) == 1) {
      --readable_;
      took = true;
    }
    if (took) return 0;
    if (answers.empty()) return -1;
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  void MakeReadable() {
    ASSERT_EQ(write(fds_[1], "x", 1), 1);
    ++readable_;
  }
  void HangUp() {
    close(fds_[1]);
    fds_[1] = -1;
  }

  bool withFd = true;
  std::deque<int> answers;

 private:
  int fds_[2] = {-1, -1};
  std::atomic<int> readable_{0};
};

using Clock = std::chrono::steady_clock;

TEST(IdleWait, WakesForTheQueueForInputAndForAReportComingDue) {
  WakeEvent wake;
  PipeDevice a, b;
  std::vector<HidDevice*> devices{&a, &b};
  std::vector<const HidDevice*> failed;

  EXPECT_EQ(WaitForInput(devices, wake.Fd(), 20, failed), InputWait::kTimedOut);
  wake.Signal();
  EXPECT_EQ(WaitForInput(devices, wake.Fd(), 1000, failed), InputWait::kWoken);
  EXPECT_TRUE(wake.Wait(0));  // left for the worker's pause to take

  // Input on the second device while the wait sleeps.
  std::thread input([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    b.MakeReadable();
  });
  EXPECT_EQ(WaitForInput(devices, wake.Fd(), 5000, failed), InputWait::kInput);
  input.join();

  // A report waiting for its frame: no descriptor fires, the wait ends when it is due.
  a.answers = {3, 0};
  const auto begin = Clock::now();
  EXPECT_EQ(WaitForInput(devices, wake.Fd(), 1000, failed), InputWait::kInput);
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(500));
  EXPECT_TRUE(failed.empty());
}

TEST(IdleWait, ADeviceWithoutDescriptorOrAHungUpOneIsReported) {
  WakeEvent wake;
  PipeDevice a, b;
  std::vector<const HidDevice*> failed;
  b.withFd = false;
  EXPECT_EQ(WaitForInput({&a, &b}, wake.Fd(), 1000, failed), InputWait::kCannotWait);
  a.HangUp();
  EXPECT_EQ(WaitForInput({&a}, wake.Fd(), 1000, failed), InputWait::kInput);
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0], &a);
}

// The manager leaves a device whose descriptor failed out of the next waits,
// so a dead node cannot keep the worker spinning; a rebuild forgets that.
TEST(IdleWait, ManagerWaitsOnThePolledInterfacesOnly) {
  Rig rig("k1", 100);  // types below 200: polled
  rig.Open(101);
  WakeEvent wake;
  EXPECT_EQ(rig.manager.WaitForNotification(wake.Fd(), 20), HidDeviceManager::WaitResult::kTimedOut);
  ASSERT_TRUE(rig.hub->PressDpiButton("k1"));
  EXPECT_EQ(rig.manager.WaitForNotification(wake.Fd(), 2000), HidDeviceManager::WaitResult::kInput);
  ReportBuffer report{};
  int type = 0;
  EXPECT_TRUE(rig.manager.PollNotifications(report, type, 0));
  EXPECT_EQ(report[0], 0xC2);
  EXPECT_EQ(type, 101);
  wake.Signal();
  EXPECT_EQ(rig.manager.WaitForNotification(wake.Fd(), 2000), HidDeviceManager::WaitResult::kWoken);
}

}  // namespace
}  // namespace korvex::test
