#include "app/DeviceWorker.h"

#include <poll.h>

#include <chrono>
#include <string>

#include "app/ButtonWriter.h"
#include "app/LightingWriter.h"
#include "app/NotificationPoll.h"
#include "app/PerformanceWriters.h"
#include "transport/ReportIo.h"

namespace korvex {
namespace {

// Outcomes kept for WaitForTask; older ones are forgotten.
constexpr std::size_t kKeptOutcomes = 1024;
// The longest idle sleep: a pass a second costs nothing and covers a wake-up
// that went astray.
constexpr int kIdleWaitMs = 1000;

// Sleeps until fd turns readable (without reading it) or timeoutMs passes.
void WaitReadable(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  ::poll(&p, 1, timeoutMs);
}

TextSource OrNumber(TextSource text) {
  if (text) return text;
  return [](int id) { return std::to_string(id); };
}

}  // namespace

DeviceWorker::DeviceWorker(HidDeviceManager& hid, SettingsStore& store, ModelAccess& models,
                           DeviceView& view, WorkerOptions options)
    : models_(models),
      options_(std::move(options)),
      ctx_{hid, store, view, state_, OrNumber(options_.text),
           [this](int ms) { return SleepUnlessStopping(ms); },
           [this] { return StopRequested(); }},
      sync_(ctx_, models_, mark_, options_.update) {}

DeviceWorker::~DeviceWorker() {
  Stop();
  Join();
}

bool DeviceWorker::Start() {
  ctx_.hid.ClearInterrupt();
  return CThreadBasic::Start(options_.intervalMs);
}

void DeviceWorker::OnStopRequested() { ctx_.hid.Interrupt(); }

std::uint64_t DeviceWorker::QueueTask(int code) {
  const std::uint64_t ticket = queue_.Push(code);
  Wake();
  return ticket;
}

bool DeviceWorker::WaitForTask(std::uint64_t ticket, int timeoutMs, bool* ok) {
  std::unique_lock<std::mutex> lock(doneMutex_);
  const bool done = doneCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                     [&] { return lastDone_ >= ticket; });
  if (done && ok) {
    auto it = outcomes_.find(ticket);
    *ok = it != outcomes_.end() && it->second;
  }
  return done;
}

void DeviceWorker::FinishTask(std::uint64_t ticket, bool ok) {
  std::lock_guard<std::mutex> lock(doneMutex_);
  outcomes_[ticket] = ok;
  while (outcomes_.size() > kKeptOutcomes) outcomes_.erase(outcomes_.begin());
  lastDone_ = ticket;
  doneCv_.notify_all();
}

void DeviceWorker::RefreshDevices() { sync_.RefreshDevices(); }

int DeviceWorker::SelectDevice(int type) {
  const int current = state_.Read([](const DeviceMainDef& d) { return d.currentType; });
  if (type != current) {
    state_.Update([&](DeviceMainDef& d) { d.currentType = type; });
    ctx_.hid.SetCurrentDeviceType(type);
    models_.SwitchModel(type);
    const bool lighting = models_.HasLighting();
    state_.Update([&](DeviceMainDef& d) { d.hasLighting = lighting; });
  }
  // Every selection is synchronised, wired ones too: a model chosen after
  // another has no profiles until its bootstrap runs, and the worker would
  // keep the sensor code of the mouse chosen before, so its DPI values would
  // be converted with that sensor's rules.
  QueueTask(kSelectedDeviceSync);
  return ctx_.hid.SessionMode() == 1 ? 52 : 51;
}

std::uint64_t DeviceWorker::RestoreDefaults() {
  state_.Update([](DeviceMainDef& d) {
    d.readBackTypes.clear();
    d.initialSyncDone = false;
  });
  // The store closes, deletes and reopens under its own lock, so a task that
  // is running meanwhile works on the old file or the new one, never on a
  // closed connection.
  models_.RecreateDatabase();
  return QueueTask(kFactoryReset);
}

void DeviceWorker::SetCurrentProfile(ProfileId profile) {
  state_.Update([&](DeviceMainDef& d) { d.currentProfile = profile; });
}

void DeviceWorker::Run() {
  TaskQueue::Entry entry;
  if (queue_.TryPop(entry)) {
    FinishTask(entry.ticket, RunTask(entry.code));
    return;
  }
  if (state_.Read([](const DeviceMainDef& d) { return d.devicePresent; })) {
    IdlePoll();
  } else {
    // No device, no reports: only a task (an arrival queues one) or a stop
    // can end this.
    lastPollTook_ = false;
    WaitReadable(WakeFd(), kIdleWaitMs);
  }
}

void DeviceWorker::IdlePoll() {
  using Wait = HidDeviceManager::WaitResult;
  const Wait wait = lastPollTook_ ? Wait::kInput : ctx_.hid.WaitForNotification(WakeFd(), kIdleWaitMs);
  if (wait == Wait::kWoken) return;  // the next pass takes the task
  const int readMs = wait == Wait::kCannotWait ? kPollTimeoutMs : 0;
  lastPollTook_ = PollNotificationsOnce(ctx_, readMs);
}

bool DeviceWorker::RunTask(int code) {
  bool ok = true;
  switch (code) {
    case kInitialSync: return sync_.InitialSync();
    case kReconnectSync: return sync_.ReconnectSync();
    case kRemovalRefresh: return sync_.RemovalRefresh();
    case kSelectedDeviceSync:
      ok = sync_.SelectedDeviceSync();
      ctx_.view.CloseWaitDialog();
      ctx_.sleep(100);
      return ok;
    case kApplyProfile:
      ok = sync_.ApplyProfile();
      ctx_.view.CloseWaitDialog();
      ctx_.sleep(100);
      return ok;
    case kWriteButtons: return WriteButtons(ctx_, mark_);
    case kWriteLighting: return WriteLighting(ctx_);
    case kWriteDpiStages: return WriteDpiStages(ctx_);
    case kWriteDpiColours: return WriteDpiColours(ctx_);
    case kWriteReportRate: return WriteReportRate(ctx_);
    case kWriteLiftoffSensor: return WriteLiftoffSensor(ctx_);
    case kWritePowerOptions: return WritePowerOptions(ctx_);
    case kButtonResponseTime: return true;  // travels with the next 0x07
    case kResetLighting: return ResetLighting(ctx_);
    case kResetDpi: return sync_.ResetDpi();
    case kResetReportRate: return ResetReportRate(ctx_);
    case kFactoryReset: return sync_.FactoryReset();  // closes the wait window itself
    case kCheckSoftwareUpdate:
    case kCheckFirmwareUpdate:
    case kInstallSoftwareUpdate:
      return sync_.RunUpdate(code);
    case kInstallFirmwareUpdate:
      ok = sync_.RunUpdate(code);
      ctx_.sleep(100);
      ctx_.view.CloseUpdateTipDialog();
      ctx_.sleep(100);
      return ok;
    default:
      return true;  // codes without work are consumed
  }
}

}  // namespace korvex
