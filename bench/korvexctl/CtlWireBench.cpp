// korvexctl against korvex-vmouse (k3 on its cable), as processes. Each run
// is one korvexctl command; its trace gives the time the wire was busy from
// the first report out to the last report in, against the floor of 2 ms per
// command (out in one 1 ms frame, the answer in the next). A command that
// leaves gaps between its exchanges (store work, idle polls) shows as a
// ratio above 1.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kBin = std::string(KORVEX_BIN_DIR) + "/";

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  dup2(null, 2);
  for (const auto& e : env) putenv(const_cast<char*>(e.c_str()));
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

int RunToEnd(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  int status = 0;
  waitpid(Spawn(args, env), &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Wire {
  int commands = 0;     // reports written to the configuration interface
  long long busyMs = 0; // first frame out to last frame in, inclusive
  long long widestGapMs = 0;
};

// Trace lines: "<frame ms> out|in <device>:<interface> <hex bytes>".
Wire ReadTrace(const std::string& path, std::size_t skipLines) {
  std::ifstream in(path);
  std::string line;
  Wire w;
  long long first = -1, last = -1, previous = -1;
  for (std::size_t n = 0; std::getline(in, line); ++n) {
    if (n < skipLines) continue;
    std::istringstream s(line);
    long long frame = 0;
    std::string direction, where;
    if (!(s >> frame >> direction >> where) || where.size() < 2 || where.substr(where.size() - 2) != ":2")
      continue;
    if (direction == "out") ++w.commands;
    if (first < 0) first = frame;
    if (previous >= 0) w.widestGapMs = std::max(w.widestGapMs, frame - previous - 1);
    previous = frame;
    last = frame;
  }
  w.busyMs = first < 0 ? 0 : last - first + 1;
  return w;
}

std::size_t LineCount(const std::string& path) {
  std::ifstream in(path);
  return static_cast<std::size_t>(std::count(std::istreambuf_iterator<char>(in), {}, '\n'));
}

class Rig {
 public:
  Rig() {
    dir_ = std::filesystem::temp_directory_path() / ("korvex-ctl-bench-" + std::to_string(getpid()));
    for (const char* sub : {"config", "data", "runtime"}) std::filesystem::create_directories(dir_ + "/" + sub);
    daemon_ = Spawn({kBin + "korvex-vmouse", "serve", "--socket", Socket(), "--devices", "k3", "--trace", Trace()}, {});
    for (int i = 0; i < 500 && !std::filesystem::exists(Socket()); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // The first run creates the database and its profiles; measure warm runs.
    Ctl({"show"});
  }
  ~Rig() {
    kill(daemon_, SIGTERM);
    waitpid(daemon_, nullptr, 0);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  int Ctl(std::vector<std::string> args) {
    args.insert(args.begin(), kBin + "korvexctl");
    return RunToEnd(args, {"XDG_CONFIG_HOME=" + dir_ + "/config", "XDG_DATA_HOME=" + dir_ + "/data",
                           "XDG_RUNTIME_DIR=" + dir_ + "/runtime", "KORVEX_VMOUSE=" + Socket()});
  }
  std::string Trace() const { return dir_ + "/trace.txt"; }

 private:
  std::string Socket() const { return dir_ + "/vm.sock"; }
  std::string dir_;
  pid_t daemon_ = -1;
};

Rig& SharedRig() {
  static Rig rig;
  return rig;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void WireTime(benchmark::State& state, const std::vector<std::vector<std::string>>& commands) {
  Rig& rig = SharedRig();
  std::vector<double> ratio, busy, gap;
  int count = 0;
  std::size_t round = 0;
  for (auto _ : state) {
    const auto& args = commands[round++ % commands.size()];
    // The trace is written as reports pass; give the last lines a moment.
    const std::size_t before = LineCount(rig.Trace());
    if (rig.Ctl(args) != 0) return state.SkipWithError("korvexctl failed");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const Wire w = ReadTrace(rig.Trace(), before);
    if (w.commands == 0) return state.SkipWithError("nothing on the wire");
    count = w.commands;
    busy.push_back(static_cast<double>(w.busyMs));
    ratio.push_back(static_cast<double>(w.busyMs) / (2.0 * w.commands));
    gap.push_back(static_cast<double>(w.widestGapMs));
    state.SetIterationTime(static_cast<double>(w.busyMs) / 1000.0);
  }
  state.counters["commands"] = count;
  state.counters["wire_ms_median"] = Median(busy);
  state.counters["floor_ms"] = 2.0 * count;
  state.counters["ratio_median"] = Median(ratio);
  state.counters["widest_gap_ms_median"] = Median(gap);
}

// Identify, read back, write the whole profile (two profiles in turn, so
// every run really switches).
void BM_Profile(benchmark::State& state) { WireTime(state, {{"profile", "2"}, {"profile", "1"}}); }
void BM_SetDpi(benchmark::State& state) { WireTime(state, {{"set", "dpi", "2", "3200"}, {"set", "dpi", "2", "1600"}}); }
void BM_Show(benchmark::State& state) { WireTime(state, {{"show"}}); }

BENCHMARK(BM_Profile)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetDpi)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Show)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
