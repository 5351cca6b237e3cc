#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "PlatformTestEnv.h"
#include "platform/SingleInstanceLock.h"

namespace korvex {
namespace {

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstReleases) {
  test::ScopedEnv env;
  SingleInstanceLock first("Korvex Mouse");
  SingleInstanceLock second("Korvex Mouse");
  EXPECT_EQ(first.Path(), (env.Root() / "run" / "Korvex Mouse.lock").string());
  EXPECT_FALSE(second.IsHeldByOther());
  ASSERT_TRUE(first.TryAcquire());
  EXPECT_TRUE(first.TryAcquire());  // already held
  EXPECT_FALSE(first.IsHeldByOther());
  EXPECT_TRUE(second.IsHeldByOther());
  EXPECT_FALSE(second.TryAcquire());
  SingleInstanceLock other("Another Caption");
  EXPECT_TRUE(other.TryAcquire());
  first.Release();
  EXPECT_FALSE(second.IsHeldByOther());
  EXPECT_TRUE(second.TryAcquire());
}

TEST(SingleInstance, LockHeldByAnotherProcessEndsWithIt) {
  test::ScopedEnv env;
  int ready[2];
  int done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    SingleInstanceLock lock("Korvex Mouse");
    const char ok = lock.TryAcquire() ? 'y' : 'n';
    (void)!write(ready[1], &ok, 1);
    char c;
    (void)!read(done[0], &c, 1);
    _exit(0);  // no release: the lock must go with the process
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  SingleInstanceLock mine("Korvex Mouse");
  EXPECT_TRUE(mine.IsHeldByOther());
  EXPECT_FALSE(mine.TryAcquire());
  (void)!write(done[1], "x", 1);
  waitpid(pid, nullptr, 0);
  EXPECT_TRUE(mine.TryAcquire());
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

// A lock file that cannot be made is no sign of a running instance; the
// program must not take it for one and end without a word.
TEST(SingleInstance, LockFileThatCannotBeMadeIsNotAnotherInstance) {
  test::ScopedEnv env;
  SingleInstanceLock lock("Korvex Mouse");
  std::filesystem::create_directories(lock.Path());  // a folder where the file belongs
  EXPECT_EQ(lock.Acquire(), SingleInstanceLock::Outcome::kUnavailable);
  EXPECT_NE(lock.LastError(), 0);
  EXPECT_FALSE(lock.IsHeld());
  EXPECT_FALSE(lock.IsHeldByOther());
  std::filesystem::remove(lock.Path());
  SingleInstanceLock first("Korvex Mouse");
  ASSERT_EQ(first.Acquire(), SingleInstanceLock::Outcome::kAcquired);
  EXPECT_EQ(lock.Acquire(), SingleInstanceLock::Outcome::kHeldByOther);
}

TEST(SingleInstance, WithoutRuntimeFolderTheNameCarriesTheUser) {
  test::ScopedEnv env;
  env.Unset("XDG_RUNTIME_DIR");
  EXPECT_EQ(InstanceRuntimePath("Korvex Mouse", ".lock"), "/tmp/Korvex Mouse-" + std::to_string(getuid()) + ".lock");
  env.Set("XDG_RUNTIME_DIR", (env.Root() / "missing").string());
  EXPECT_EQ(InstanceRuntimePath("K/M", ".sock"), "/tmp/K_M-" + std::to_string(getuid()) + ".sock");
}

}  // namespace
}  // namespace korvex
