// Draws every picture of the default skin into the folder given as the only
// argument (data/skins/default when run through the korvex_skin target).
#include <QColor>
#include <QGuiApplication>
#include <QVector>
#include <cstdio>

#include "GifWriter.h"
#include "MousePainter.h"
#include "PanelPainter.h"
#include "SkinColours.h"
#include "SkinWriter.h"

namespace {

using G = IconPainter::Glyph;

void WriteFrame(SkinWriter& w) {
  w.Save("main_bkg.png", PanelPainter::WindowBackground(1400, 788));
  w.Save("img_area_caption.png", PanelPainter::CaptionBar(64, 50, true));
  w.Save("logo/logo.png", PanelPainter::Logo(170, 30, 19));
  w.Save("logo.png", PanelPainter::Logo(260, 40, 26));
  w.Save("sysbtn_close.png", PanelPainter::IconButtonStrip(G::kClose, 30, true));
  w.Save("sysbtn_maximize.png", PanelPainter::IconButtonStrip(G::kMaximize, 30, false));
  w.Save("sysbtn_restore.png", PanelPainter::IconButtonStrip(G::kRestore, 30, false));
  w.Save("sysbtn_min.png", PanelPainter::IconButtonStrip(G::kMinimize, 30, false));
  w.Save("sysbtn_setting.png", PanelPainter::IconButtonStrip(G::kGear, 30, false));
  w.Save("img_area.png", PanelPainter::Panel(40, 18, QColor(0x1A, 0x1E, 0x26), skin::kPanel, skin::kBorder));
  w.Save("img_tab_bkg.png", PanelPainter::TabStripBackground(64, 64));
  w.Save("img_tabitem_bkg.png", PanelPainter::TabItemSelected(190, 60));
  w.Save("icon/icon_battery_bkg.png", PanelPainter::BatteryOutline(40, 20));
  w.Save("icon/icon_batteryvalue.png", PanelPainter::BatteryFill(40, 20));
  w.Save("icon/icon_charge.png", PanelPainter::BatteryBolt(40, 20));
  w.Save("icon/icon_arrow_up.png", PanelPainter::Icon(G::kArrowUp, 16, skin::kText));
  w.Save("icon/icon_wired.png", PanelPainter::Icon(G::kWired, 20, skin::kAccent));
  w.Save("icon/icon_receiver.png", PanelPainter::Icon(G::kReceiver, 20, skin::kAccent));
  const struct {
    const char* name;
    G glyph;
  } tabs[] = {{"icon/tab_home.png", G::kHome},   {"icon/tab_key.png", G::kMouse},
              {"icon/tab_dpi.png", G::kGauge},   {"icon/tab_macro.png", G::kMacro},
              {"icon/tab_light.png", G::kLight}, {"icon/tab_set.png", G::kDevice}};
  for (const auto& tab : tabs) w.Save(tab.name, PanelPainter::Icon(tab.glyph, 24, Qt::white));
}

void WritePanels(SkinWriter& w) {
  const QColor panelTop(0x1A, 0x1E, 0x26);
  w.Save("img_area_bkg.png", PanelPainter::Panel(64, 12, panelTop, skin::kPanel, skin::kBorder, true));
  w.Save("img_area_content.png",
         PanelPainter::Panel(64, 12, QColor(0x1D, 0x21, 0x2A), QColor(0x16, 0x19, 0x20), skin::kBorder));
  w.Save("img_area2.png", PanelPainter::Panel(48, 10, QColor(0x13, 0x15, 0x1B), QColor(0x11, 0x13, 0x18), skin::kBorder));
  w.Save("img_area3.png", PanelPainter::Panel(48, 12, panelTop, skin::kPanel, skin::kBorder, true));
  w.Save("area_device.png",
         PanelPainter::Panel(64, 16, QColor(0x1C, 0x20, 0x29), QColor(0x12, 0x14, 0x19), skin::kBorder, true));
  w.Save("img_list_bkg.png", PanelPainter::Panel(48, 10, QColor(0x10, 0x12, 0x17), QColor(0x10, 0x12, 0x17), skin::kBorder));
  w.Save("img_eventcaption.png", PanelPainter::Panel(40, 8, skin::kRaised, QColor(0x1C, 0x1F, 0x27), Qt::transparent));
  w.Save("img_key_bkg.png", PanelPainter::KeyBackground(400, 500));
  w.Save("bk_prompt.png", PanelPainter::Prompt(430, 230));
  w.Save("img_upgrade_bkg.png", PanelPainter::Prompt(391, 130));
  w.Save("device_mode.png", PanelPainter::ModeStrip(24, 20));
}

void WriteControls(SkinWriter& w) {
  w.Save("img_button.png", PanelPainter::ButtonStrip(48, 36, false));
  w.Save("img_button2.png", PanelPainter::ButtonStrip(48, 36, true));
  w.Save("img_edit.png", PanelPainter::Field(48, 32));
  w.Save("img_combobox.png", PanelPainter::Field(48, 32));
  w.Save("img_slider_bar.png", PanelPainter::Bar(32, 6, skin::kAccent.darker(170), skin::kAccent));
  w.Save("img_dpi_bar.png", PanelPainter::Bar(32, 6, skin::kAccent, skin::kMagenta));
  w.Save("img_help.png", PanelPainter::IconButtonStrip(G::kHelp, 20, false, true));
  w.Save("btn_reset.png", PanelPainter::IconButtonStrip(G::kReset, 30, false));
  w.Save("btn_close.png", PanelPainter::IconButtonStrip(G::kClose, 30, true));
  w.Save("btn_more.png", PanelPainter::IconButtonStrip(G::kPencil, 22, false));
  w.Save("img_return.png", PanelPainter::IconButtonStrip(G::kBack, 36, false));
  w.Save("img_recorditem_up.png", PanelPainter::IconButtonStrip(G::kArrowUp, 30, false));
  w.Save("img_recorditem_down.png", PanelPainter::IconButtonStrip(G::kArrowDown, 30, false));
  w.Save("icon/icon_list.png", PanelPainter::Icon(G::kList, 16, skin::kAccent));
  w.Save("icon/icon_rec.png", PanelPainter::Icon(G::kRecord, 18, skin::kDanger));
  w.Save("icon/icon_stop_rec.png", PanelPainter::Icon(G::kStop, 18, skin::kDanger));
  w.Save("icon/icon_windows.png", PanelPainter::Icon(G::kDesktop, 32, skin::kAccent));
}

void WriteAnimationAndIcons(SkinWriter& w) {
  // The busy window is 0x333333; its animation is drawn on that colour.
  const QColor background(0x33, 0x33, 0x33);
  QVector<QRgb> palette;
  for (int i = 0; i < 256; ++i) {
    const qreal t = i / 255.0;
    palette.append(qRgb(int(background.red() + (skin::kAccent.red() - background.red()) * t),
                        int(background.green() + (skin::kAccent.green() - background.green()) * t),
                        int(background.blue() + (skin::kAccent.blue() - background.blue()) * t)));
  }
  const QList<QImage> frames = PanelPainter::SpinnerFrames(100, 24, background);
  const QByteArray gif = GifWriter::Encode(frames, palette, 4);
  if (GifWriter::RoundTrips(gif, frames, palette))
    w.SaveBytes("loading.gif", gif);
  else
    std::fprintf(stderr, "loading.gif: the encoded animation does not decode to its frames\n");
  QList<QImage> sizes;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) sizes.append(MousePainter::AppIcon(size));
  w.SaveIcon("DeviceDriver.ico", sizes);
  w.Save("app_icon.png", MousePainter::AppIcon(256));
}

void WriteDevices(SkinWriter& w) {
  const struct {
    const char* name;
    MousePainter::Model model;
  } models[] = {{"korvex_k1", MousePainter::K1()},
                {"korvex_k3", MousePainter::K3()},
                {"korvex_k5", MousePainter::K5()},
                {"korvex_classic", MousePainter::Classic()}};
  for (const auto& m : models) {
    w.Save(QStringLiteral("device/%1.png").arg(m.name), MousePainter::DevicePicture(m.model));
    w.Save(QStringLiteral("device/%1_top.png").arg(m.name), MousePainter::TopView(m.model));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: korvex-skin-gen <skin folder>\n");
    return 2;
  }
  SkinWriter writer(QString::fromLocal8Bit(argv[1]));
  WriteFrame(writer);
  WritePanels(writer);
  WriteControls(writer);
  WriteAnimationAndIcons(writer);
  WriteDevices(writer);
  for (const QString& failure : writer.Failures()) std::fprintf(stderr, "%s\n", qPrintable(failure));
  std::printf("%d files written\n", writer.Written());
  return writer.Failures().isEmpty() ? 0 : 1;
}
