#include "app/TaskQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace korvex {
namespace {

TEST(TaskQueueTest, FirstInFirstOutWithDuplicatesAndTickets) {
  TaskQueue q;
  TaskQueue::Entry e;
  EXPECT_FALSE(q.TryPop(e));
  auto t1 = q.Push(9);
  auto t2 = q.Push(10);
  auto t3 = q.Push(9);
  EXPECT_LT(t1, t2);
  EXPECT_LT(t2, t3);
  EXPECT_EQ(3u, q.Size());
  std::vector<int> codes;
  while (q.TryPop(e)) codes.push_back(e.code);
  EXPECT_EQ((std::vector<int>{9, 10, 9}), codes);
  EXPECT_EQ(t3, e.ticket);
  EXPECT_TRUE(q.Empty());
}

TEST(TaskQueueTest, ProducerAndConsumerThreadsLoseNothing) {
  TaskQueue q;
  constexpr int kCount = 20000;
  std::thread producer([&] {
    for (int i = 0; i < kCount; ++i) q.Push(i);
  });
  std::vector<int> seen;
  seen.reserve(kCount);
  TaskQueue::Entry e;
  while (static_cast<int>(seen.size()) < kCount) {
    if (q.TryPop(e)) seen.push_back(e.code);
  }
  producer.join();
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(i, seen[i]);
}

}  // namespace
}  // namespace korvex
