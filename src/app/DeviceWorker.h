#pragma once
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>

#include "app/CThreadBasic.h"
#include "app/DeviceContext.h"
#include "app/DeviceSync.h"
#include "app/DeviceTask.h"
#include "app/MacroUploadMark.h"
#include "app/ModelAccess.h"
#include "app/TaskQueue.h"

namespace korvex {

struct WorkerOptions {
  // Interface text N of the current language; by default the number itself.
  TextSource text;
  // The update subsystem's work for codes 23, 24, 26 and 27; none by default.
  UpdateHook update;
  // Pause between two passes of the dispatcher.
  int intervalMs = 2;
};

// The worker thread: the only thread that talks to the mouse. Interface
// handlers store a value and queue a task code; the worker takes one code
// per pass (about every 2 ms) and runs its work, and with nothing queued and
// a device present it polls for unsolicited reports. What it shows goes
// through DeviceView. Owned by the main window (or a command-line tool).
class DeviceWorker : public CThreadBasic {
 public:
  DeviceWorker(HidDeviceManager& hid, SettingsStore& store, ModelAccess& models, DeviceView& view,
               WorkerOptions options = {});
  ~DeviceWorker() override;

  // Starts the dispatcher loop once. The owner runs RefreshDevices and
  // queues kInitialSync first.
  bool Start();
  // Stop() (inherited) waits at most 1000 ms for the pass in progress.

  // Appends a code; returns at once with a ticket for WaitForTask.
  std::uint64_t QueueTask(int code);
  // Waits until the work of a ticket has run (false on time-out); *ok tells
  // whether the mouse accepted it.
  bool WaitForTask(std::uint64_t ticket, int timeoutMs, bool* ok = nullptr);
  std::size_t QueuedCount() const { return queue_.Size(); }

  // The device refresh, on the calling thread (the window's initialisation
  // runs it before Start; tasks 2 and 3 run it on the worker).
  void RefreshDevices();
  // A device chosen in the device list: makes its type and model current.
  // Task 4 is queued for it. Returns the connection text
  // to show (51 wired, 52 receiver).
  int SelectDevice(int type);
  // Restore of defaults: forgets which device types were read, recreates the
  // model's database and queues kFactoryReset. Returns its ticket.
  std::uint64_t RestoreDefaults();

  // A copy of the device state, for any thread.
  DeviceMainDef State() const { return state_.Get(); }
  void SetCurrentProfile(ProfileId profile);
  // A macro was bound to this button: upload it with the next button write.
  void MarkMacroUpload(int keyCode) { mark_.Set(keyCode); }

 protected:
  void Run() override;

 private:
  bool RunTask(int code);
  void FinishTask(std::uint64_t ticket, bool ok);

  DeviceStateBox state_;
  TaskQueue queue_;
  MacroUploadMark mark_;
  ModelAccess& models_;
  WorkerOptions options_;
  DeviceContext ctx_;
  DeviceSync sync_;

  std::mutex doneMutex_;
  std::condition_variable doneCv_;
  std::map<std::uint64_t, bool> outcomes_;
  std::uint64_t lastDone_ = 0;
};

}  // namespace korvex
