#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImageReader>
#include <QMovie>

#include "skinui/MRender.h"
#include "skinui/Manager.h"

using namespace DUI;

// Every picture the windows and pages name must exist in the shipped skin
// and be readable.
TEST(DefaultSkin, HoldsEveryNamedPicture) {
  const char* names[] = {
      "main_bkg.png", "img_area_caption.png", "logo\\logo.png", "logo.png", "sysbtn_close.png",
      "sysbtn_maximize.png", "sysbtn_restore.png", "sysbtn_min.png", "sysbtn_setting.png",
      "icon\\icon_battery_bkg.png", "icon\\icon_batteryvalue.png", "icon\\icon_charge.png", "img_area.png",
      "img_button.png", "icon\\icon_arrow_up.png", "img_tab_bkg.png", "img_tabitem_bkg.png",
      "icon\\tab_home.png", "icon\\tab_key.png", "icon\\tab_dpi.png", "icon\\tab_macro.png",
      "icon\\tab_light.png", "icon\\tab_set.png", "area_device.png", "device_mode.png", "img_area3.png",
      "img_area_bkg.png", "img_return.png", "img_area2.png", "img_area_content.png", "img_list_bkg.png",
      "img_key_bkg.png", "btn_reset.png", "img_button2.png", "btn_close.png", "img_eventcaption.png",
      "img_edit.png", "btn_more.png", "icon\\icon_list.png", "icon\\icon_rec.png", "icon\\icon_stop_rec.png",
      "img_combobox.png", "img_recorditem_up.png", "img_recorditem_down.png", "img_slider_bar.png",
      "img_help.png", "img_dpi_bar.png", "icon//icon_windows.png", "bk_prompt.png", "img_upgrade_bkg.png",
      "icon\\icon_wired.png", "icon\\icon_receiver.png", "device\\korvex_k1.png", "device\\korvex_k3.png",
      "device\\korvex_k5.png", "device\\korvex_classic.png", "device\\korvex_k1_top.png",
      "device\\korvex_k3_top.png", "device\\korvex_k5_top.png", "device\\korvex_classic_top.png"};
  for (const char* name : names) {
    const QString path = MRender::ResolvePath(QString::fromLatin1(name));
    EXPECT_TRUE(QFileInfo::exists(path)) << name;
    EXPECT_FALSE(QImageReader(path).read().isNull()) << name;
  }
}

TEST(DefaultSkin, PicturesHaveTheShapesTheControlsExpect) {
  // State strips: four equal frames side by side.
  for (const char* name : {"sysbtn_close.png", "img_button.png", "btn_reset.png", "img_return.png"}) {
    const QPixmap pix = MRender::LoadImage(QString::fromLatin1(name));
    ASSERT_FALSE(pix.isNull()) << name;
    EXPECT_EQ(pix.width() % 4, 0) << name;
  }
  // The callout places of the descriptors are for a 400 x 500 top view.
  EXPECT_EQ(MRender::LoadImage(QStringLiteral("device/korvex_k5_top.png")).size(), QSize(400, 500));
  // The busy animation plays and the tray icon loads.
  QMovie movie(MRender::ResolvePath(QStringLiteral("loading.gif")));
  EXPECT_TRUE(movie.isValid());
  EXPECT_GT(movie.frameCount(), 1);
  EXPECT_FALSE(MRender::LoadIconFromFile(QStringLiteral("DeviceDriver.ico")).isNull());
  EXPECT_TRUE(MRender::LoadIconFromFile(QStringLiteral("missing.ico")).isNull());
}

TEST(DefaultSkin, PathsAcceptBothSlashesAndAbsoluteNames) {
  const QString skin = Manager::GetSkinFolder();
  EXPECT_TRUE(skin.endsWith(QStringLiteral("/skins/default/")));
  EXPECT_EQ(MRender::ResolvePath(QStringLiteral("icon\\tab_home.png")), skin + "icon/tab_home.png");
  EXPECT_EQ(MRender::ResolvePath(QStringLiteral("icon//icon_windows.png")), skin + "icon/icon_windows.png");
  EXPECT_EQ(MRender::ResolvePath(QStringLiteral("/opt/x/device/a.png")), QStringLiteral("/opt/x/device/a.png"));
  EXPECT_TRUE(MRender::LoadImage(QStringLiteral("no_such_picture.png")).isNull());
}
