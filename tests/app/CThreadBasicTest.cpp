#include "app/CThreadBasic.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace korvex {
namespace {

using Clock = std::chrono::steady_clock;

class CountingThread : public CThreadBasic {
 public:
  ~CountingThread() override {
    Stop();
    Join();
  }
  std::atomic<int> passes{0};
  std::atomic<int> blockMs{0};
  std::atomic<bool> interruptible{false};

 protected:
  void Run() override {
    ++passes;
    int ms = blockMs.load();
    if (ms <= 0) return;
    if (interruptible) {
      SleepUnlessStopping(ms);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
  }
};

TEST(CThreadBasicTest, LoopsUntilStoppedAndStartsOnlyOnce) {
  CountingThread t;
  EXPECT_FALSE(t.IsRunning());
  ASSERT_TRUE(t.Start());
  EXPECT_FALSE(t.Start());
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_TRUE(t.Stop());
  EXPECT_FALSE(t.IsRunning());
  int after = t.passes.load();
  // A 2 ms pause gives a number of passes in 60 ms, but not thousands.
  EXPECT_GT(after, 2);
  EXPECT_LT(after, 100);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(after, t.passes.load());
  // It can be started again after a stop.
  ASSERT_TRUE(t.Start());
  EXPECT_TRUE(t.Stop());
}

TEST(CThreadBasicTest, StopDuringLongWorkWaitsAtMostTheBound) {
  CountingThread t;
  t.blockMs = 2500;
  ASSERT_TRUE(t.Start());
  while (t.passes.load() == 0) std::this_thread::yield();
  auto begin = Clock::now();
  EXPECT_FALSE(t.Stop());  // the pass is still running
  auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin);
  EXPECT_GE(waited.count(), 950);
  EXPECT_LT(waited.count(), 1400);
  // The long pass is not interrupted; the thread ends after it.
  t.Join();
  EXPECT_EQ(1, t.passes.load());
}

TEST(CThreadBasicTest, InterruptibleSleepEndsAtStop) {
  CountingThread t;
  t.blockMs = 5000;
  t.interruptible = true;
  ASSERT_TRUE(t.Start());
  while (t.passes.load() == 0) std::this_thread::yield();
  auto begin = Clock::now();
  EXPECT_TRUE(t.Stop());
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(500));
}

TEST(CThreadBasicTest, WakeEndsThePauseBetweenPassesButNotASleepInsideWork) {
  CountingThread t;
  ASSERT_TRUE(t.Start(2000));
  while (t.passes.load() == 0) std::this_thread::yield();
  const auto begin = Clock::now();
  t.Wake();
  while (t.passes.load() < 2 && Clock::now() - begin < std::chrono::seconds(3)) std::this_thread::yield();
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(500));

  t.blockMs = 300;
  t.interruptible = true;
  t.Wake();
  while (t.passes.load() < 3) std::this_thread::yield();
  const auto workBegin = Clock::now();
  t.Wake();  // lands inside the pass: its sleep goes on
  EXPECT_TRUE(t.Stop());
  EXPECT_LT(Clock::now() - workBegin, std::chrono::milliseconds(250));  // Stop does end it
}

TEST(CThreadBasicTest, StopWithoutStartIsHarmless) {
  CountingThread t;
  EXPECT_TRUE(t.Stop());
  EXPECT_EQ(0, t.passes.load());
}

}  // namespace
}  // namespace korvex
