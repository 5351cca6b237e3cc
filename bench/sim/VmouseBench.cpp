// korvex-vmouse as a separate process, driven through VirtualHidBackend:
// one write-and-acknowledge exchange (median and 99th percentile; the 1 ms
// frame model puts the floor between 1 and 2 ms), and firmware data reports
// written back to back (one per frame: at most 1000 a second).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "transport/virtual/UnixSocket.h"
#include "transport/virtual/VirtualHidBackend.h"

extern char** environ;

namespace {

std::string g_socket;

pid_t StartDaemon() {
  g_socket = "/tmp/korvex-vmouse-bench-" + std::to_string(getpid());
  const std::string binary = std::string(KORVEX_BIN_DIR) + "/korvex-vmouse";
  std::vector<std::string> args = {binary, "serve", "--socket", g_socket, "--devices", "k1,k3-receiver"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  for (int i = 0; i < 250; ++i) {
    const int fd = korvex::vmouse::ConnectUnixSocket(g_socket);
    if (fd >= 0) {
      close(fd);
      return pid;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return pid;
}

std::vector<std::uint8_t> RateFrame(std::uint8_t code) {
  std::vector<std::uint8_t> f(33, 0);
  f[1] = 0x02;
  f[3] = 0x01;
  f[4] = 0x01;
  f[5] = code;
  f[32] = code;  // the checksum of a one-byte payload is the byte
  return f;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

void BM_WriteAcknowledge(benchmark::State& state) {
  korvex::VirtualHidBackend backend(g_socket);
  auto dev = backend.Open("vmouse:k1:2");
  if (!dev) return state.SkipWithError("korvex-vmouse not reachable");
  std::vector<double> ms;
  std::uint8_t reply[33];
  std::uint8_t code = 1;
  for (auto _ : state) {
    const auto frame = RateFrame(code);
    code = code == 8 ? 1 : static_cast<std::uint8_t>(code << 1);
    const auto t0 = std::chrono::steady_clock::now();
    if (dev->Write(frame.data(), frame.size()) != 33) return state.SkipWithError("write failed");
    int n = 0;
    for (int attempt = 0; attempt < 50; ++attempt) {  // the program's read loop
      n = dev->Read(reply, sizeof reply, 30);
      if (n > 0 && reply[1] == 0x00) break;
    }
    const auto t1 = std::chrono::steady_clock::now();
    if (n <= 0 || reply[1] != 0x00) return state.SkipWithError("no acknowledgement");
    const double elapsed = std::chrono::duration<double>(t1 - t0).count();
    state.SetIterationTime(elapsed);
    ms.push_back(elapsed * 1e3);
  }
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
}
BENCHMARK(BM_WriteAcknowledge)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMillisecond);

std::vector<std::uint8_t> DataReport(int firstBlock) {
  std::vector<std::uint8_t> r(64, 0xFF);
  r[0] = 0x05;
  r[1] = 0x02;
  r[2] = 60;
  r[3] = 0x00;
  for (int b = 0; b < 3; ++b) {
    std::uint8_t* block = &r[4 + 20 * b];
    const int number = (firstBlock + b) & 0xFFFF;
    block[0] = static_cast<std::uint8_t>(number);
    block[1] = static_cast<std::uint8_t>(number >> 8);
    for (int i = 0; i < 16; ++i) block[2 + i] = static_cast<std::uint8_t>(number + i);
    std::uint16_t crc = 0xFFFF;
    for (int i = 0; i < 18; ++i) {
      crc ^= block[i];
      for (int k = 0; k < 8; ++k) crc = (crc & 1) ? ((crc >> 1) ^ 0xA001) : (crc >> 1);
    }
    block[18] = static_cast<std::uint8_t>(crc);
    block[19] = static_cast<std::uint8_t>(crc >> 8);
  }
  return r;
}

void BM_FirmwareDataReports(benchmark::State& state) {
  korvex::VirtualHidBackend backend(g_socket);
  auto upd = backend.Open("vmouse:k1:3");
  if (!upd) return state.SkipWithError("korvex-vmouse not reachable");
  std::vector<std::uint8_t> start(64, 0xFF);
  start[0] = 0x05, start[1] = 0x02, start[2] = 0x02, start[3] = 0x00, start[4] = 0x01;
  upd->Write(start.data(), start.size());
  // Prepared up front; the block numbers wrap after 65536 blocks, so the
  // model sees a clean transfer for the first 21845 reports only.
  std::vector<std::vector<std::uint8_t>> reports;
  for (int i = 0; i < 4000; ++i) reports.push_back(DataReport(3 * i));
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& r = reports[i++ % reports.size()];
    if (upd->Write(r.data(), r.size()) != 64) return state.SkipWithError("write failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FirmwareDataReports)->Iterations(3000)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const pid_t daemon = StartDaemon();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (daemon > 0) {
    kill(daemon, SIGTERM);
    waitpid(daemon, nullptr, 0);
  }
  return 0;
}
