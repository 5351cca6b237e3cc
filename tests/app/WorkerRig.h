#pragma once
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/DeviceWorker.h"
#include "app/ModelAccess.h"
#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"
#include "RecordingView.h"

namespace korvex::test {

// The shipped models' device types (config.xml) are 111 to 113; the
// transport's notification poll only reads interfaces of types below 200.
// Some tests number the same models from 11 to show the rule does not
// depend on the exact numbers.
constexpr std::uint32_t kShippedTypeBase = 110;
constexpr std::uint32_t kPolledTypeBase = 10;

// The supported devices as config.xml lists them, K1/K3/K5 numbered from
// base + 1.
inline void AddShippedDevices(HidDeviceManager& hid, std::uint32_t base = kShippedTypeBase) {
  const SupportedDevice devices[] = {
      {0x1209, 0x0001, base + 1, 0, "K1WD"}, {0x1209, 0x0002, base + 2, 0, "K3WL"},
      {0x1209, 0x0003, base + 2, 1, "K3WL"}, {0x1209, 0x0004, base + 3, 0, "K5PR"},
      {0x1209, 0x0003, base + 3, 1, "K5PR"}, {0x1209, 0x0005, 101, 0, ""}};
  for (const auto& d : devices) hid.AddSupportedDevice(d);
}

// Model access without descriptors: each type has a database file of its
// own; lighting is on for the types listed; the descriptor defaults are a
// fixed set of DPI stages.
class TestModels : public ModelAccess {
 public:
  TestModels(SettingsStore& store, std::string dataFolder)
      : store_(store), dataFolder_(std::move(dataFolder)) {}

  int WantedDeviceType() override { return wanted_; }
  void SwitchModel(int deviceType) override {
    wanted_ = deviceType;
    store_.SwitchModel(dataFolder_, NameOf(deviceType));
    ++switches;
  }
  bool HasLighting() override { return lightingTypes.count(wanted_) > 0; }
  std::array<bool, kLightModeCount> LightModes() override { return {true, true, true, true, true, true}; }
  void RecreateDatabase() override { store_.RestoreDefaults(dataFolder_, NameOf(wanted_)); }
  void ApplyDescriptorDefaults(ProfileId profile, bool dpiOnly) override {
    store_.SetValue(profile, "dpi_count", "4");
    store_.SetValue(profile, "dpi_index", "1");
    store_.SetValue(profile, "dpi_group0_value", "400");
    if (!dpiOnly) store_.SetValue(profile, "sleep_light", "6");
    ++defaultsApplied;
  }

  static std::string NameOf(int type) { return "model" + std::to_string(type); }

  std::map<int, bool> lightingTypes{{1002, true}, {1003, true}};
  std::atomic<int> switches{0};
  std::atomic<int> defaultsApplied{0};

 private:
  SettingsStore& store_;
  std::string dataFolder_;
  std::atomic<int> wanted_{101};
};

// A worker over an in-process virtual mouse, with a recording view, a
// private settings store in a temporary folder and the hub's trace.
class WorkerRig {
 public:
  explicit WorkerRig(const std::string& devices, std::uint32_t typeBase = kShippedTypeBase,
                     WorkerOptions options = {})
      : dir_(MakeTempDir()),
        hub_(std::make_shared<sim::VirtualMouseHub>(devices)),
        hid_(std::make_unique<sim::InProcessBackend>(hub_)),
        models_(store_, dir_),
        worker_(hid_, store_, models_, view_, WithTexts(std::move(options))) {
    std::filesystem::create_directories(dir_ + "/db");
    AddShippedDevices(hid_, typeBase);
    models_.lightingTypes = {{static_cast<int>(typeBase) + 2, true}, {static_cast<int>(typeBase) + 3, true}};
    hub_->SetTraceSink([this](const sim::TraceRecord& r) {
      std::lock_guard<std::mutex> lock(traceMutex_);
      trace_.push_back(r);
    });
  }
  ~WorkerRig() {
    worker_.Stop();
    worker_.Join();
    hub_->SetTraceSink(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // The window's initialisation: refresh, task 1, start.
  void StartLikeTheWindow() {
    worker_.RefreshDevices();
    worker_.QueueTask(kInitialSync);
    worker_.Start();
  }
  // Queues a code and waits for its work; the result is the mouse's verdict.
  bool RunTask(int code, int timeoutMs = 20000) {
    bool ok = false;
    const auto ticket = worker_.QueueTask(code);
    EXPECT_TRUE(worker_.WaitForTask(ticket, timeoutMs, &ok)) << "task " << code;
    return ok;
  }
  // Waits until the queue is empty and one more pass has run.
  void Settle() { RunTask(25); }

  // Command bytes written to configuration interfaces since the last call,
  // device-information queries left out unless asked for.
  std::vector<int> TakeCommands(bool withInfo = false) {
    std::lock_guard<std::mutex> lock(traceMutex_);
    std::vector<int> out;
    for (; seen_ < trace_.size(); ++seen_) {
      const auto& r = trace_[seen_];
      if (!r.out || r.interfaceNumber != 2 || r.bytes.size() < 2) continue;
      if (r.bytes[1] == 0x10 && !withInfo) continue;
      out.push_back(r.bytes[1]);
    }
    return out;
  }
  // Writes a raw frame (report id first, padded to the interface's 65-byte
  // output report) to a device's configuration interface, bypassing the
  // program, and waits for its answer.
  void SendRaw(const std::string& device, std::vector<std::uint8_t> frame) {
    frame.resize(65, 0);
    unsigned sum = 0;
    for (int i = 5; i < 32; ++i) sum += frame[i];
    frame[32] = static_cast<std::uint8_t>(sum);
    auto handle = hub_->Open("vmouse:" + device + ":2");
    ASSERT_NE(0u, handle);
    ASSERT_GT(hub_->Write(handle, frame.data(), frame.size()), 0);
    std::uint8_t reply[64];
    ASSERT_GT(hub_->Read(handle, reply, sizeof reply, 500), 0);
    EXPECT_EQ(0, reply[1]) << "raw frame refused";
    hub_->Close(handle);
    TakeCommands(true);
  }
  std::string Value(const std::string& key) {
    std::string v;
    store_.GetValue(worker_.State().currentProfile, key, v);
    return v;
  }
  sim::SlotSettings Mouse(const std::string& device) {
    sim::DeviceSnapshot s;
    EXPECT_TRUE(hub_->Snapshot(device, s));
    return s.slot;
  }

  sim::VirtualMouseHub& Hub() { return *hub_; }
  HidDeviceManager& Hid() { return hid_; }
  SettingsStore& Store() { return store_; }
  TestModels& Models() { return models_; }
  RecordingView& View() { return view_; }
  DeviceWorker& Worker() { return worker_; }
  const std::string& Dir() const { return dir_; }

 private:
  static std::string MakeTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvex-app-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    return made ? std::string(made) : std::string();
  }
  static WorkerOptions WithTexts(WorkerOptions o) {
    if (!o.text) o.text = [](int id) { return "T" + std::to_string(id); };
    return o;
  }

  std::string dir_;
  std::shared_ptr<sim::VirtualMouseHub> hub_;
  HidDeviceManager hid_;
  SettingsStore store_;
  TestModels models_;
  RecordingView view_;
  DeviceWorker worker_;
  std::mutex traceMutex_;
  std::vector<sim::TraceRecord> trace_;
  std::size_t seen_ = 0;
};

}  // namespace korvex::test
