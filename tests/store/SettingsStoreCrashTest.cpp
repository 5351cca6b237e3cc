// A writer process killed at random points must leave a sound database that
// still holds everything whose operation had returned.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <random>

#include "StoreTestSupport.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

using test::Inspector;
using test::TempDataFolder;

constexpr std::array<const char*, 4> kKeys = {"dpi_group0_value", "report_rate", "sensor_flag",
                                              "doubleclick_time"};
constexpr int kEventsPerMacro = 20;

// Child: write counter values without end, reporting each completed write.
// Every tenth step stores a macro of kEventsPerMacro events in one
// transaction, reported (negated) once InsertMacroEvents returned.
[[noreturn]] void WriterLoop(const std::string& dataFolder, int first, int reportFd) {
  SettingsStore store;
  if (!store.OpenForModel(dataFolder, "K1WD")) _exit(3);
  for (int counter = first;; ++counter) {
    int report = counter;
    if (counter % 10 == 0) {
      std::vector<MacroEventRecord> events(kEventsPerMacro);
      for (int i = 0; i < kEventsPerMacro; ++i) {
        events[i].macro_id = counter;
        events[i].record_index = i;
        events[i].desc = "down";
      }
      store.InsertMacroEvents(events);
      report = -counter;
    } else if (!store.SetValue(1, kKeys[counter % kKeys.size()], std::to_string(counter))) {
      _exit(4);
    }
    if (write(reportFd, &report, sizeof report) != sizeof report) _exit(5);
  }
}

struct Progress {
  std::array<int, kKeys.size()> lastValue{};
  std::vector<int> macros;
  int highest = 0;
};

void Record(Progress& progress, int report) {
  const int counter = report < 0 ? -report : report;
  if (report < 0) progress.macros.push_back(counter);
  else progress.lastValue[counter % kKeys.size()] = counter;
  progress.highest = std::max(progress.highest, counter);
}

void ExpectEverythingReportedIsStored(const std::string& file, const Progress& progress,
                                      int round) {
  Inspector look(file);
  ASSERT_EQ(look.Text("PRAGMA integrity_check"), "ok") << "round " << round;
  for (std::size_t k = 0; k < kKeys.size(); ++k) {
    if (progress.lastValue[k] == 0) continue;
    const int stored =
        look.Int(std::string("SELECT value FROM t_configdata WHERE profile = 1 AND key = '") +
                 kKeys[k] + "'");
    // Either the value last reported or one written after it.
    EXPECT_GE(stored, progress.lastValue[k]) << kKeys[k] << " round " << round;
    EXPECT_EQ((stored - progress.lastValue[k]) % static_cast<int>(kKeys.size()), 0);
  }
  for (int macro : progress.macros) {
    EXPECT_EQ(look.Int("SELECT count(*) FROM t_macrorecord WHERE macro_id = " +
                       std::to_string(macro)),
              kEventsPerMacro)
        << "macro " << macro << " round " << round;
  }
  // A macro interrupted by the kill is all there or not there at all.
  EXPECT_EQ(look.Int("SELECT count(*) FROM (SELECT macro_id FROM t_macrorecord GROUP BY macro_id "
                     "HAVING count(*) <> " + std::to_string(kEventsPerMacro) + ")"),
            0)
      << "round " << round;
}

TEST(StoreCrash, KilledWriterLosesNothingThatWasReported) {
  TempDataFolder folder;
  {
    SettingsStore setup;
    ASSERT_TRUE(setup.OpenForModel(folder.Path(), "K1WD"));
    ASSERT_EQ(setup.CreateProfile(ProfileRecord{}), 1);
  }
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> reportsBeforeKill(1, 150);
  std::uniform_int_distribution<int> extraDelayUs(0, 400);
  Progress progress;
  for (int round = 0; round < 50; ++round) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const int first = progress.highest + 1;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(fds[0]);
      WriterLoop(folder.Path(), first, fds[1]);
    }
    close(fds[1]);
    const int wanted = reportsBeforeKill(random);
    int report = 0;
    for (int received = 0; received < wanted; ++received) {
      ASSERT_EQ(read(fds[0], &report, sizeof report), static_cast<ssize_t>(sizeof report))
          << "writer ended early in round " << round;
      Record(progress, report);
    }
    usleep(static_cast<useconds_t>(extraDelayUs(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "round " << round;
    while (read(fds[0], &report, sizeof report) == static_cast<ssize_t>(sizeof report)) {
      Record(progress, report);
    }
    close(fds[0]);
    ExpectEverythingReportedIsStored(folder.FileOf("K1WD"), progress, round);
    // An unreported write may have landed: the next child starts above it.
    progress.highest += 1;
  }
}

}  // namespace
}  // namespace korvex
