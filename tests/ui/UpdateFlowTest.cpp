// The firmware update from the window: a newer firmware found after the
// sync is offered (message 1692), the update window shows the transfer's
// progress as the worker reports it, and the mouse ends up with the new
// firmware.
#include <fstream>
#include <sstream>

#include "app/UpdateTasks.h"
#include "sim/UpdateServer.h"
#include "sim/ZipWriter.h"
// AuxDialogs hands out its windows by pointer: their classes must be known.
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/SaveWaitDlg.h"
#include "ui/dialogs/UpdateTipDlg.h"
#include "ui/dialogs/WaitDlg.h"
#include "ui/dialogs/AuxDialogs.h"
#include "ui/pages/device/DevicePage.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

std::string FirmwarePackage(const std::string& folder, std::size_t bytes) {
  std::string image(bytes, '\0');
  for (std::size_t i = 0; i < bytes; ++i) image[i] = static_cast<char>(i * 13 + 5);
  const std::string path = folder + "/firmware.zip";
  EXPECT_TRUE(sim::WriteZip(path, {{"firmware-131.bin", image}}));
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(UpdateFlow, NewerFirmwareAfterTheSyncIsOfferedShownAndInstalled) {
  sim::UpdateServer server;
  ASSERT_TRUE(server.Start());
  std::string folder = (std::filesystem::temp_directory_path() / "korvex-ui-update-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(folder.data()));
  sim::HttpAnswer version, package;
  version.body = "131";
  package.body = FirmwarePackage(folder, 32 * 1024);
  server.Set("/fw/k1/mouse/version", version);
  server.Set("/fw/k1/mouse/firmware-131.zip", package);

  UpdateSettings settings;
  const std::string origin = server.Origin();
  settings.addresses = [origin] { return UpdateAddresses{"1.0.0", origin + "/", origin + "/fw/k1"}; };
  settings.tempFolder = folder + "/temp/";
  auto tasks = std::make_shared<UpdateTasks>(settings);
  RigOptions options;
  options.devices = "k1";
  options.update = [tasks](int code, DeviceContext& ctx) { return tasks->Run(code, ctx); };
  WindowRig rig(options);
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    // The prompt comes by itself after the first sync; OK starts the install.
    ModalAnswer ok("MessageBox", 1);
    ASSERT_TRUE(rig.WaitForInitialSync());
    ASSERT_TRUE(WaitUntil([&] { return ok.seen; }, 10000)) << "no update prompt";
    EXPECT_TRUE(w.Device().RowStatus(DevicePage::kMouseRow).contains(QStringLiteral("1.31")));
    // The update window shows the worker's progress while the data goes out.
    int seenPercent = 0;
    ASSERT_TRUE(WaitUntil([&] {
      UpdateTipDlg* tip = w.Dialogs()->UpdateTip();
      if (tip != nullptr) seenPercent = std::max(seenPercent, tip->Progress());
      return seenPercent > 10 && seenPercent < 100;
    }, 10000)) << "no progress seen";
    // It closes when the task ends, and the mouse has the new firmware.
    ASSERT_TRUE(WaitUntil([&] { return w.Dialogs()->UpdateTip() == nullptr; }, 10000));
    sim::DeviceSnapshot snap;
    ASSERT_TRUE(rig.Hub().Snapshot("k1", snap));
    EXPECT_EQ(0x31, snap.identity.firmwareMinor);
    EXPECT_EQ(FirmwareOutcome::kInstalled, tasks->Status().lastTransfer);
  });
  std::filesystem::remove_all(folder);
  server.Stop();
}

}  // namespace
}  // namespace korvex::test
