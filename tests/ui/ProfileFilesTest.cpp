// The profile dialog's export and import entries through the desktop's file
// dialogs (driven here), against the virtual mouse.

#include <QApplication>
#include <QFileDialog>
#include <filesystem>
#include <fstream>

#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "ui/dialogs/ProfileDlg.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/lighting/LightingPage.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

// Answers the next file dialog with `path` (empty: cancels it) and keeps
// what it offered.
class FileDialogAnswer {
 public:
  explicit FileDialogAnswer(QString path) : path_(std::move(path)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || !dialog->isVisible()) return;
      filters = dialog->nameFilters();
      saving = dialog->acceptMode() == QFileDialog::AcceptSave;
      timer_.stop();
      if (path_.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->selectFile(path_);
      static_cast<QDialog*>(dialog)->accept();  // as the Open or Save button does
    });
    timer_.start();
  }
  QStringList filters;
  bool saving = false;

 private:
  QString path_;
  QTimer timer_;
};

// Clicks one of the profile dialog's buttons once it shows.
class ProfileDialogClick {
 public:
  explicit ProfileDialogClick(int button) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this, button] {
      DUI::MWindow* dialog = DUI::Manager::FindWindow(QString::fromLatin1(ProfileDlg::kTitle));
      if (dialog == nullptr || !dialog->isVisible()) return;
      timer_.stop();
      auto* control = dialog->GetControl<DUI::MButton>(button);
      shown = control != nullptr && !control->isHidden();
      if (control != nullptr) dialog->DispatchNotify(button, DUI::kEventClick, 0, control);
    });
    timer_.start();
  }
  bool shown = false;

 private:
  QTimer timer_;
};

std::string Value(SettingsStore& store, ProfileId p, const char* key) {
  std::string v;
  store.GetValue(p, key, v);
  return v;
}

TEST(ProfileFiles, ExportAndImportThroughTheProfileDialog) {
  RigOptions options;
  options.devices = "classic";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Notify(HomePage::kDeviceList, 2, 101);
    rig.Settle();
    const ProfileId p = rig.Worker().State().currentProfile;
    SettingsStore& store = rig.Store();
    ASSERT_TRUE(store.SetValue(p, "report_rate", "4"));
    LightRecord neon;
    ASSERT_TRUE(store.GetLight(p, 4, neon));
    neon.speed = 0;
    ASSERT_TRUE(store.UpdateLight(p, 4, neon));
    ASSERT_TRUE(store.SetActiveLightMode(p, 4));
    const std::string file = rig.Dir() + "/Evening.xml";

    {
      FileDialogAnswer save(QString::fromStdString(file));
      ProfileDialogClick click(ProfileDlg::kExport);
      rig.Notify(frame::kProfile);
      ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(file); }, 10000));
      EXPECT_TRUE(click.shown);
      EXPECT_TRUE(save.saving);
      EXPECT_EQ(QStringList{QStringLiteral("Profile (*.xml)")}, save.filters);
    }
    // The profile moves on; the file brings it back.
    ASSERT_TRUE(store.SetValue(p, "report_rate", "1"));
    ASSERT_TRUE(store.SetActiveLightMode(p, 1));
    rig.Settle();
    rig.TakeCommands();
    {
      FileDialogAnswer open(QString::fromStdString(file));
      ProfileDialogClick click(ProfileDlg::kImport);
      rig.Notify(frame::kProfile);
      ASSERT_TRUE(WaitUntil([&] { return rig.Window().Frame().ProfileLabel() == "Evening"; }, 10000));
      EXPECT_TRUE(click.shown);
      EXPECT_FALSE(open.saving);
      EXPECT_EQ(QStringList{QStringLiteral("MouseKey (*.xml)")}, open.filters);
    }
    rig.Settle();
    EXPECT_EQ("4", Value(store, p, "report_rate"));
    EXPECT_EQ(4, store.GetActiveLightMode(p));
    std::string name;
    store.GetProfileName(p, name);
    EXPECT_EQ("Evening", name);
    // The pages show the imported profile and the mouse received it whole.
    EXPECT_EQ(4, rig.Window().Lighting()->ActiveLightMode());
    EXPECT_EQ((std::vector<int>{0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07}), rig.TakeCommands());
    EXPECT_EQ(0x40, rig.LastFrame(0x05)[6]);

    // A cancelled dialog and a file that is no profile change nothing.
    const std::string other = rig.Dir() + "/Other.xml";
    std::ofstream(other) << "<macro/>";
    for (const std::string& answer : {std::string(), other}) {
      FileDialogAnswer open(QString::fromStdString(answer));
      ProfileDialogClick click(ProfileDlg::kImport);
      rig.Notify(frame::kProfile);
      ASSERT_TRUE(WaitUntil([&] { return !open.filters.isEmpty(); }, 10000));
      rig.Settle();
    }
    EXPECT_EQ("Evening", rig.Window().Frame().ProfileLabel());
    EXPECT_TRUE(rig.TakeCommands().empty());
  });
}

}  // namespace
}  // namespace korvex::test
