// Firmware transfer of a 64 KiB image (1,366 data reports) against the
// virtual mouse, whose endpoint moves one report per 1 ms frame, and the
// unpacking of a 10 MiB package.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "sim/ZipWriter.h"
#include "transport/HidDeviceManager.h"
#include "transport/virtual/VirtualHidBackend.h"
#include "update/ArchiveUnpacker.h"
#include "update/FirmwareSender.h"

extern char** environ;

namespace korvex {
namespace {

constexpr std::size_t kImageBytes = 64 * 1024;

std::vector<std::uint8_t> Image() {
  std::mt19937 random(7);
  std::vector<std::uint8_t> image(kImageBytes);
  for (auto& b : image) b = static_cast<std::uint8_t>(random());
  return image;
}

class Daemon {
 public:
  Daemon() : socket_("/tmp/korvex-update-bench-" + std::to_string(getpid()) + ".sock") {
    std::string binary = std::string(KORVEX_BIN_DIR) + "/korvex-vmouse";
    if (access(binary.c_str(), X_OK) != 0) return;
    unlink(socket_.c_str());
    std::vector<std::string> args = {binary, "serve", "--socket", socket_, "--devices", "k1"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    struct stat st {};
    for (int i = 0; i < 250 && pid_ > 0 && !up_; ++i) {
      up_ = stat(socket_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
      if (!up_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~Daemon() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
    unlink(socket_.c_str());
  }
  bool Up() const { return up_; }
  const std::string& Socket() const { return socket_; }

 private:
  std::string socket_;
  pid_t pid_ = -1;
  bool up_ = false;
};

void Transfer(benchmark::State& state, HidDeviceManager& hid) {
  if (!hid.OpenUpdateInterface(0x1209, 0x0001)) return state.SkipWithError("no update interface");
  const auto image = Image();
  FirmwareSender sender(hid);
  int reports = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (sender.Transfer(image.data(), image.size()) != FirmwareOutcome::kInstalled)
      return state.SkipWithError("transfer not installed");
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    reports += sender.ReportsSent();
  }
  state.counters["reports_per_s"] = benchmark::Counter(reports, benchmark::Counter::kIsRate);
}

void BM_FirmwareTransfer64KiB_InProcess(benchmark::State& state) {
  auto hub = std::make_shared<sim::VirtualMouseHub>("k1");
  HidDeviceManager hid(std::make_unique<sim::InProcessBackend>(hub));
  Transfer(state, hid);
}
BENCHMARK(BM_FirmwareTransfer64KiB_InProcess)
    ->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_FirmwareTransfer64KiB_Daemon(benchmark::State& state) {
  Daemon daemon;
  if (!daemon.Up()) return state.SkipWithError("korvex-vmouse not available");
  HidDeviceManager hid(std::make_unique<VirtualHidBackend>(daemon.Socket()));
  Transfer(state, hid);
}
BENCHMARK(BM_FirmwareTransfer64KiB_Daemon)
    ->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// A package as the update server sends it: a 10 MiB image (random, so it
// hardly compresses) and a small text.
void BM_Unpack10MiB(benchmark::State& state) {
  namespace fs = std::filesystem;
  std::string tmpl = (fs::temp_directory_path() / "korvex-unpack-bench-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) return state.SkipWithError("no temp folder");
  std::mt19937 random(11);
  std::string image(10 * 1024 * 1024, '\0');
  for (char& c : image) c = static_cast<char>(random());
  const std::string zip = tmpl + "/package.zip";
  if (!sim::WriteZip(zip, {{"firmware-131.bin", image}, {"readme.txt", "firmware 1.31\n"}}))
    return state.SkipWithError("cannot write the package");
  fs::create_directories(tmpl + "/out");
  for (auto _ : state) {
    UnpackReport report;
    if (!UnpackArchive(zip, tmpl + "/out", {}, &report) || report.written != 2)
      return state.SkipWithError("unpack failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(image.size()));
  fs::remove_all(tmpl);
}
BENCHMARK(BM_Unpack10MiB)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex

BENCHMARK_MAIN();
