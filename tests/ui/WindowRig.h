#pragma once
// The main window over an in-process virtual mouse, with its own preference,
// data and runtime folders, run the way the process entry runs it: the test
// body executes inside the window's modal loop, after its initialisation.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/DeviceWorker.h"
#include "i18n/Texts.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "platform/PreferenceStore.h"
#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "skinui/Events.h"
#include "skinui/MWindow.h"
#include "skinui/Manager.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"
#include "ui/DeviceMainDlg.h"
#include "ui/shell/MainTrayIcon.h"

namespace korvex::test {


inline QApplication& App() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* a = new QApplication(argc, argv);
    a->setQuitOnLastWindowClosed(false);
    return a;
  }();
  return *app;
}

// One pass of the event loop. The tests run inside an event handler, where
// a nested pass does not deliver what was posted before that handler began
// until something new is posted, so the posted events are sent explicitly.
inline void ProcessOnce() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Runs the event loop until `done` holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    ProcessOnce();
    QThread::msleep(2);
  }
  return true;
}

inline void Pump(int ms) {
  QElapsedTimer clock;
  clock.start();
  do {
    ProcessOnce();
    QThread::msleep(1);
  } while (clock.elapsed() < ms);
}

// Whether a library window with that title is open and shown.
inline bool WindowShown(const char* title) {
  DUI::MWindow* w = DUI::Manager::FindWindow(QString::fromLatin1(title));
  return w != nullptr && w->isVisible();
}

// Answers the next modal window titled `title` with `result` once it shows,
// from inside its own loop; `seen` tells afterwards whether it appeared.
class ModalAnswer {
 public:
  ModalAnswer(const char* title, int result) : title_(QString::fromLatin1(title)), result_(result) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      DUI::MWindow* w = DUI::Manager::FindWindow(title_);
      if (w == nullptr || !w->isVisible()) return;
      seen = true;
      DUI::Manager::CloseWindowByTitle(title_, result_);
      timer_.stop();
    });
    timer_.start();
  }
  bool seen = false;

 private:
  QString title_;
  int result_;
  QTimer timer_;
};

struct RigOptions {
  std::string devices = "k1, k3-receiver";
  bool tray = true;
  int showFlag = 1;
  // Preference values written before the window starts.
  std::vector<std::pair<std::string, std::string>> preferences;
  // The update work; none by default.
  UpdateHook update;
};

class WindowRig {
 public:
  explicit WindowRig(RigOptions options = {}) : options_(std::move(options)) {
    App();
    dir_ = MakeTempDir();
    for (const char* sub : {"config", "data", "runtime"}) std::filesystem::create_directories(dir_ + "/" + sub);
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (dir_ + "/runtime").c_str(), 1);

    const std::string bin = KORVEX_BIN_DIR "/";
    MainDlgSetup setup;
    setup.appFolder = bin;
    setup.configPath = bin + "config.xml";
    EXPECT_TRUE(setup.catalogue.LoadApplicationConfig(setup.configPath));
    caption_ = setup.catalogue.Caption();
    SetCaption(caption_);
    DUI::Manager::SetDeviceName(QString::fromStdString(caption_));
    DUI::Manager::SetInstance(QString::fromStdString(bin));
    SetAvailableLanguages(setup.catalogue.AvailableLanguages());
    SetCurrentLanguage(2052);
    for (const auto& [name, value] : options_.preferences) WritePreference(name, value);

    hub_ = std::make_shared<sim::VirtualMouseHub>(options_.devices);
    hub_->SetTraceSink([this](const sim::TraceRecord& r) {
      std::lock_guard<std::mutex> lock(traceMutex_);
      trace_.push_back(r);
    });
    hid_ = std::make_unique<HidDeviceManager>(std::make_unique<sim::InProcessBackend>(hub_));
    setup.dataFolder = DataFolder(caption_);
    std::filesystem::create_directories(setup.dataFolder + "db");
    setup.hid = hid_.get();
    setup.store = &store_;
    setup.instanceSocket = dir_ + "/runtime/instance.socket";
    setup.exitProcess = [this] { ++exits; };
    setup.trayAvailable = options_.tray;
    setup.update = options_.update;
    setup.openLink = [this](const std::string& url) {
      links.push_back(url);
      return true;
    };
    setup.notify = [this](const std::string& title, const std::string& body) {
      notices.push_back(title + "|" + body);
    };
    window_ = std::make_unique<DeviceMainDlg>(std::move(setup));
    EXPECT_TRUE(window_->CreateMain(QString::fromStdString(caption_)));
  }

  ~WindowRig() {
    window_.reset();
    hub_->SetTraceSink(nullptr);
    hid_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // Runs `body` inside the window's modal loop, then ends the window the
  // orderly way (teardown).
  void Run(const std::function<void()>& body) {
    QMetaObject::invokeMethod(
        window_.get(),
        [this, body] {
          body();
          window_->DestroyWindow();
        },
        Qt::QueuedConnection);
    window_->ShowModal(options_.showFlag);
  }

  // Waits for the first synchronisation (task 1) to have run.
  bool WaitForInitialSync(int timeoutMs = 15000) {
    return WaitUntil([this] { return Worker().State().initialSyncDone; }, timeoutMs);
  }
  // Queues a code without work and waits until the worker took it, so all
  // codes queued before have run; the queued view calls are then delivered.
  void Settle() {
    const auto ticket = Worker().QueueTask(25);
    WaitUntil([&] { return Worker().WaitForTask(ticket, 0); }, 20000);
    Pump(20);
  }
  // The next ticket the worker hands out, without leaving work behind.
  std::uint64_t NextTicket() { return Worker().QueueTask(25) + 1; }

  // Command bytes written to configuration interfaces since the last call.
  std::vector<int> TakeCommands(const std::string& device = "") {
    std::lock_guard<std::mutex> lock(traceMutex_);
    std::vector<int> out;
    for (; seen_ < trace_.size(); ++seen_) {
      const auto& r = trace_[seen_];
      if (!r.out || r.interfaceNumber != 2 || r.bytes.size() < 2) continue;
      if (!device.empty() && r.device != device) continue;
      if (r.bytes[1] != 0x10) out.push_back(r.bytes[1]);
    }
    return out;
  }

  // The bytes of the last frame with that command written to a
  // configuration interface; empty when there was none.
  std::vector<std::uint8_t> LastFrame(int command) {
    std::lock_guard<std::mutex> lock(traceMutex_);
    for (auto r = trace_.rbegin(); r != trace_.rend(); ++r)
      if (r->out && r->interfaceNumber == 2 && r->bytes.size() > 1 && r->bytes[1] == command) return r->bytes;
    return {};
  }

  void Notify(int id, int event = 2, intptr_t param = 0) { window_->DispatchNotify(id, event, param, nullptr); }

  DeviceMainDlg& Window() { return *window_; }
  DeviceWorker& Worker() { return window_->Worker(); }
  sim::VirtualMouseHub& Hub() { return *hub_; }
  SettingsStore& Store() { return store_; }
  const std::string& Dir() const { return dir_; }
  std::string SocketPath() const { return dir_ + "/runtime/instance.socket"; }

  std::atomic<int> exits{0};
  std::vector<std::string> links;
  std::vector<std::string> notices;  // low-battery notices: "title|text"

 private:
  static std::string MakeTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvex-ui-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    return made ? std::string(made) : std::string();
  }

  RigOptions options_;
  std::string dir_;
  std::string caption_;
  std::shared_ptr<sim::VirtualMouseHub> hub_;
  std::unique_ptr<HidDeviceManager> hid_;
  SettingsStore store_;
  std::unique_ptr<DeviceMainDlg> window_;
  std::mutex traceMutex_;
  std::vector<sim::TraceRecord> trace_;
  std::size_t seen_ = 0;
};

}  // namespace korvex::test
