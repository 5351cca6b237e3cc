// The update tasks on the worker, against a local HTTP server and the
// in-process virtual mouse.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "WorkerRig.h"
#include "app/UpdateTasks.h"
#include "sim/UpdateServer.h"
#include "sim/ZipWriter.h"

namespace korvex::test {
namespace {

namespace fs = std::filesystem;
using sim::HttpAnswer;

HttpAnswer Body(std::string body, HttpAnswer::Behaviour b = HttpAnswer::Behaviour::kServe, int status = 200) {
  HttpAnswer a;
  a.body = std::move(body);
  a.behaviour = b;
  a.status = status;
  return a;
}

std::string ZipBytes(const std::string& folder, const std::vector<sim::ZipEntry>& entries) {
  const std::string path = folder + "/fixture.zip";
  EXPECT_TRUE(sim::WriteZip(path, entries));
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  fs::remove(path);
  return out.str();
}

std::string Image(std::size_t n) {
  std::string image(n, '\0');
  for (std::size_t i = 0; i < n; ++i) image[i] = static_cast<char>(i * 31 + 7);
  return image;
}

// A worker with the update work bound to a local server; the K1 reports
// firmware 130.
class UpdateRig {
 public:
  explicit UpdateRig(const std::string& devices = "k1") {
    EXPECT_TRUE(server_.Start());
    fixtures_ = MakeDir();
    UpdateSettings settings;
    const std::string origin = server_.Origin();
    settings.addresses = [origin] { return UpdateAddresses{"1.0.0", origin + "/", origin + "/fw/k1"}; };
    settings.tempFolder = fixtures_ + "/temp/";
    // Stalls are given up within a second or two.
    settings.textLimits = HttpLimits{2, 1024, 1, 1024};
    settings.packageLimits = HttpLimits{2, 1024, 1, 16 << 20};
    settings.openPackage = [this](const std::string& path) {
      handedOver_ = path;
      return handOverOk_;
    };
    tasks_ = std::make_shared<UpdateTasks>(std::move(settings));
    WorkerOptions options;
    options.update = [t = tasks_](int code, DeviceContext& ctx) { return t->Run(code, ctx); };
    rig_ = std::make_unique<WorkerRig>(devices, kShippedTypeBase, options);
  }
  ~UpdateRig() {
    rig_.reset();
    server_.Stop();
    fs::remove_all(fixtures_);
  }

  void ServeFirmware(const std::string& version, const std::string& image,
                     HttpAnswer::Behaviour b = HttpAnswer::Behaviour::kServe) {
    server_.Set("/fw/k1/mouse/version", Body(version));
    server_.Set("/fw/k1/mouse/firmware-" + version + ".zip",
                Body(ZipBytes(fixtures_, {{"firmware-" + version + ".bin", image}}), b));
  }
  std::vector<std::string> TempFiles() const {
    std::vector<std::string> out;
    if (fs::exists(fixtures_ + "/temp"))
      for (const auto& e : fs::directory_iterator(fixtures_ + "/temp")) out.push_back(e.path().filename().string());
    return out;
  }
  int MouseMinor() {
    sim::DeviceSnapshot s;
    EXPECT_TRUE(rig_->Hub().Snapshot("k1", s));
    return s.identity.firmwareMinor;
  }

  WorkerRig& Rig() { return *rig_; }
  RecordingView& View() { return rig_->View(); }
  sim::UpdateServer& Server() { return server_; }
  UpdateTasks& Tasks() { return *tasks_; }
  const std::string& Fixtures() const { return fixtures_; }
  std::string handedOver_;
  bool handOverOk_ = true;

 private:
  static std::string MakeDir() {
    std::string tmpl = (fs::temp_directory_path() / "korvex-update-XXXXXX").string();
    return mkdtemp(tmpl.data()) ? tmpl : std::string();
  }

  sim::UpdateServer server_;
  std::string fixtures_;
  std::shared_ptr<UpdateTasks> tasks_;
  std::unique_ptr<WorkerRig> rig_;
};

TEST(UpdateTasksTest, NewerFirmwareFoundAfterTheSyncIsAnnounced) {
  UpdateRig u;
  u.ServeFirmware("131", Image(96));
  u.Rig().StartLikeTheWindow();
  u.Rig().Settle();
  EXPECT_EQ((std::vector<std::string>{"PostUpdateAvailable 1 131"}), u.View().Matching("PostUpdateAvailable"));
  EXPECT_EQ(UpdateStatus::kNewer, u.Tasks().Status().firmwareState);

  // The same version again: the label says latest and the button goes grey.
  u.ServeFirmware("130", Image(96));
  u.View().Clear();
  EXPECT_TRUE(u.Rig().RunTask(kCheckFirmwareUpdate));
  EXPECT_EQ((std::vector<std::string>{"ShowNoNewerVersion 1"}), u.View().Matching("Show"));
  EXPECT_EQ(0, u.View().Count("PostUpdateAvailable"));
}

TEST(UpdateTasksTest, HostileVersionAnswersChangeNothingAndTheWorkerGoesOn) {
  UpdateRig u;
  u.Rig().StartLikeTheWindow();
  u.Rig().Settle();
  struct Case {
    const char* name;
    HttpAnswer answer;
  };
  const Case cases[] = {{"404", Body("2", HttpAnswer::Behaviour::kServe, 404)},
                        {"500", Body("999", HttpAnswer::Behaviour::kServe, 500)},
                        {"stall", Body("131", HttpAnswer::Behaviour::kStall)},
                        {"oversized", Body(std::string(2048, '9'))},
                        {"ten characters", Body("1310000000")},
                        {"a path", Body("../../131")}};
  for (const Case& c : cases) {
    u.Server().Set("/fw/k1/mouse/version", c.answer);
    u.View().Clear();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(u.Rig().RunTask(kCheckFirmwareUpdate)) << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.name;
    EXPECT_EQ(0, u.View().Count("PostUpdateAvailable")) << c.name;
    EXPECT_EQ(0, u.View().Count("ShowNoNewerVersion")) << c.name;
    // The next device task is served as usual.
    u.Rig().TakeCommands();
    EXPECT_TRUE(u.Rig().RunTask(kWriteReportRate)) << c.name;
    EXPECT_EQ(std::vector<int>{0x02}, u.Rig().TakeCommands()) << c.name;
  }
  EXPECT_EQ("", u.Tasks().Status().latestFirmware);
}

TEST(UpdateTasksTest, AWholeFirmwareTransferInstallsAndTheNextSyncShowsIt) {
  UpdateRig u;
  u.ServeFirmware("131", Image(4800));
  u.Rig().StartLikeTheWindow();
  u.Rig().Settle();
  ASSERT_EQ(0x30, u.MouseMinor());
  u.View().Clear();
  EXPECT_TRUE(u.Rig().RunTask(kInstallFirmwareUpdate));
  EXPECT_EQ(0x31, u.MouseMinor());
  const auto progress = u.View().Matching("ShowUpdateProgress");
  ASSERT_GE(progress.size(), 5u);
  EXPECT_EQ("ShowUpdateProgress T590 5", progress.front());
  EXPECT_EQ("ShowUpdateProgress T591 7", progress[1]);
  EXPECT_EQ("ShowUpdateProgress T592 100", progress[progress.size() - 2]);
  EXPECT_EQ("ShowUpdateProgress T593 100", progress.back());
  EXPECT_EQ(1, u.View().Count("CloseUpdateTipDialog"));
  EXPECT_TRUE(u.TempFiles().empty());  // the package and the image are gone

  EXPECT_TRUE(u.Rig().RunTask(kReconnectSync));
  EXPECT_EQ("131", u.Rig().Worker().State().mouseFirmwareVersion);
  u.ServeFirmware("131", Image(4800));
  u.View().Clear();
  EXPECT_TRUE(u.Rig().RunTask(kCheckFirmwareUpdate));
  EXPECT_EQ(1, u.View().Count("ShowNoNewerVersion 1"));
}

TEST(UpdateTasksTest, UnpluggedMidTransferEndsWithinTwoSecondsAndTheWorkerKeepsWorking) {
  UpdateRig u;
  u.ServeFirmware("131", Image(64 * 1024));
  u.Rig().StartLikeTheWindow();
  u.Rig().Settle();
  u.View().Clear();
  const auto ticket = u.Rig().Worker().QueueTask(kInstallFirmwareUpdate);
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (u.View().Count("ShowUpdateProgress T592 3") == 0 && std::chrono::steady_clock::now() < limit)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  ASSERT_TRUE(u.Rig().Hub().Unplug("k1"));
  const auto unplugged = std::chrono::steady_clock::now();
  bool ok = true;
  ASSERT_TRUE(u.Rig().Worker().WaitForTask(ticket, 5000, &ok));
  EXPECT_LT(std::chrono::steady_clock::now() - unplugged, std::chrono::seconds(2));
  EXPECT_FALSE(ok);
  // Not "complete": the window shows where it stopped and the user is told.
  EXPECT_EQ(0, u.View().Count("ShowUpdateProgress T593"));
  EXPECT_EQ(1, u.View().Count("ShowUpdateProgress T810"));
  EXPECT_EQ(1, u.View().Count("ShowUpdateFailed"));
  EXPECT_EQ(1, u.View().Count("CloseUpdateTipDialog"));
  EXPECT_EQ(0x30, u.MouseMinor());
  EXPECT_TRUE(u.TempFiles().empty());

  ASSERT_TRUE(u.Rig().Hub().Plug("k1"));
  EXPECT_TRUE(u.Rig().RunTask(kReconnectSync));
  EXPECT_TRUE(u.Rig().RunTask(kWriteReportRate));
}

TEST(UpdateTasksTest, ACutDownloadLeavesNothingToUnpackOrSend) {
  UpdateRig u;
  u.ServeFirmware("131", Image(64 * 1024), HttpAnswer::Behaviour::kCut);
  u.Rig().StartLikeTheWindow();
  u.Rig().Settle();
  u.View().Clear();
  EXPECT_FALSE(u.Rig().RunTask(kInstallFirmwareUpdate));
  EXPECT_TRUE(u.TempFiles().empty());
  EXPECT_EQ((std::vector<std::string>{"ShowUpdateProgress T590 5"}), u.View().Matching("ShowUpdateProgress"));
  EXPECT_EQ(1, u.View().Count("CloseUpdateTipDialog"));
  EXPECT_FALSE(u.Tasks().Status().imageReady);
  EXPECT_EQ(0x30, u.MouseMinor());
}

TEST(UpdateTasksTest, SoftwarePackageIsHandedToTheInstallerAndTheProgramEnds) {
  UpdateRig u;
  u.Server().Set("/version", Body("1.0.1\n"));
  u.Server().Set("/Mouse-Setup-1.0.1.zip",
                 Body(ZipBytes(u.Fixtures(), {{"Mouse-Setup-1.0.1.deb", "!<arch>\n", 0100755}})));
  u.Rig().Worker().Start();
  EXPECT_TRUE(u.Rig().RunTask(kCheckSoftwareUpdate));
  EXPECT_EQ((std::vector<std::string>{"PostUpdateAvailable 0 1.0.1"}), u.View().Matching("PostUpdateAvailable"));

  u.handOverOk_ = false;  // the desktop could not take it: the program stays
  EXPECT_FALSE(u.Rig().RunTask(kInstallSoftwareUpdate));
  EXPECT_EQ(0, u.View().Count("EndProgram"));
  u.handOverOk_ = true;
  EXPECT_TRUE(u.Rig().RunTask(kInstallSoftwareUpdate));
  EXPECT_EQ(1, u.View().Count("EndProgram"));
  EXPECT_EQ(u.Fixtures() + "/temp/Mouse-Setup-1.0.1.deb", u.handedOver_);
  EXPECT_EQ((std::vector<std::string>{"Mouse-Setup-1.0.1.deb"}), u.TempFiles());  // the zip is deleted
}

TEST(UpdateTasksTest, SoftwareAnswersOfTheWrongLengthChangeNothing) {
  UpdateRig u;
  u.Rig().Worker().Start();
  for (const char* answer : {"", "1.0.0.00001"}) {
    u.Server().Set("/version", Body(answer));
    EXPECT_FALSE(u.Rig().RunTask(kCheckSoftwareUpdate)) << answer;
  }
  u.Server().Set("/version", Body("1.0.0"));
  EXPECT_TRUE(u.Rig().RunTask(kCheckSoftwareUpdate));
  EXPECT_EQ((std::vector<std::string>{"ShowNoNewerVersion 0"}), u.View().Matching("ShowNoNewerVersion"));
  EXPECT_EQ(0, u.View().Count("PostUpdateAvailable"));
  EXPECT_EQ(0, u.View().Count("EndProgram"));
}

}  // namespace
}  // namespace korvex::test
