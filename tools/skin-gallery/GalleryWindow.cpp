#include "GalleryWindow.h"

#include "skinui/BatteryCtrl.h"
#include "skinui/CArea.h"
#include "skinui/CCheckButton.h"
#include "skinui/CColorButton.h"
#include "skinui/CDeviceList.h"
#include "skinui/CDeviceState.h"
#include "skinui/CGifPicture.h"
#include "skinui/CHelpButton.h"
#include "skinui/CIconButton.h"
#include "skinui/CImageButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CRecordList.h"
#include "skinui/CTextButton.h"
#include "skinui/DPIControl.h"
#include "skinui/DPISlider.h"
#include "skinui/LightSlider.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MPalette.h"
#include "skinui/MPicture.h"
#include "skinui/MProgress.h"
#include "skinui/MRender.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "skinui/MText.h"
#include "skinui/MacroList.h"
#include "skinui/MouseCtrl.h"
#include "skinui/MouseKeyCtrl.h"
#include "skinui/NumberEdit.h"
#include "skinui/ReporteCtrl.h"

using namespace DUI;

namespace {

MText* Label(MWindow* w, QWidget* in, const QRect& r, const QString& text, int size = 14,
             const QColor& colour = QColor()) {
  MText* t = w->CreateControl<MText>(0, r, in);
  t->SetTitle(text);
  t->SetFontSize(size);
  if (colour.isValid()) t->SetTextColor(colour);
  return t;
}

}  // namespace

void GalleryWindow::OnCreate() {
  SetBkImage(QStringLiteral("main_bkg.png"));
  SetCaptionRect(QRect(0, 0, width(), 50));
  BuildFrame();
  BuildPerformance();
  BuildOptions();
  BuildButtons();
  BuildLighting();
  BuildDevices();
  BuildMacros();
}

QWidget* GalleryWindow::Panel(int id, const QRect& rect, const QString& title) {
  auto* bk = CreateControl<MPicture>(id, rect);
  bk->SetImage(QStringLiteral("img_area_bkg.png"));
  Label(this, bk, QRect(18, 10, rect.width() - 36, 26), title, 16)->SetFontBold(true);
  return bk;
}

void GalleryWindow::BuildFrame() {
  const int w = width();
  CreateControl<MPicture>(32, QRect(0, 0, w, 50))->SetImage(QStringLiteral("img_area_caption.png"));
  auto* logo = CreateControl<MPicture>(34, QRect(14, 10, 170, 30));
  logo->SetImage(QStringLiteral("logo/logo.png"));
  logo->SetDrawMode(MPicture::kCenter);
  MText* title = Label(this, nullptr, QRect(0, 0, w, 50), QStringLiteral("Korvex Mouse"), 18);
  title->SetTextAlign(Qt::AlignCenter);
  const char* sys[] = {"sysbtn_close.png", "sysbtn_maximize.png", "sysbtn_min.png", "sysbtn_setting.png"};
  for (int i = 0; i < 4; ++i)
    CreateControl<CImageButton>(38 + i, QRect(w - 50 - 32 * i, 10, 30, 30))->SetImage(QString::fromLatin1(sys[i]));

  auto* battery = CreateControl<BatteryCtrl>(43, QRect(220, 64, 110, 28));
  battery->SetImages(QStringLiteral("icon/icon_battery_bkg.png"), QStringLiteral("icon/icon_batteryvalue.png"),
                     QStringLiteral("icon/icon_charge.png"));
  battery->SetBatteryInfo(76, 1);
  auto* state = CreateControl<CDeviceState>(44, QRect(340, 62, 280, 32));
  state->SetImage(QStringLiteral("img_area.png"));
  state->SetMode(CDeviceState::kReceiver);
  state->SetTitle(QStringLiteral("Connected through the receiver"));
  auto* profile = CreateControl<CIconButton>(45, QRect(640, 62, 180, 32));
  profile->SetImage(QStringLiteral("img_button.png"));
  profile->SetIcon(QStringLiteral("icon/icon_arrow_up.png"));
  profile->SetTitle(QStringLiteral("Profile 1"));
  auto* restore = CreateControl<MButton>(46, QRect(836, 62, 170, 32));
  restore->SetImage(QStringLiteral("img_button.png"));
  restore->SetTitle(QStringLiteral("Restore defaults"));

  CreateControl<MPicture>(47, QRect(0, 110, 200, 380))->SetImage(QStringLiteral("img_tab_bkg.png"));
  auto* tabs = CreateControl<MTabCtrl>(48, QRect(0, 120, 200, 360));
  tabs->SetImage(QStringLiteral("img_tabitem_bkg.png"));
  const char* names[] = {"Home", "Buttons", "Performance", "Macros", "Lighting", "Device"};
  const char* icons[] = {"icon/tab_home.png", "icon/tab_key.png", "icon/tab_dpi.png",
                         "icon/tab_macro.png", "icon/tab_light.png", "icon/tab_set.png"};
  const int ids[] = {1, 2, 3, 4, 5, 7};
  for (int i = 0; i < 6; ++i) {
    auto* page = CreateControl<MTabLayout>(49 + i, QRect(0, 0, 10, 10));
    tabs->InsertItem(ids[i], QString::fromLatin1(names[i]), QString::fromLatin1(icons[i]), page);
  }
  tabs->SetSelectItem(3);
  CreateControl<CTextButton>(286, QRect(20, 500, 170, 24))->SetTitle(QStringLiteral("korvex.example"));
  auto* gif = CreateControl<CGifPicture>(30, QRect(50, 540, 102, 102));
  gif->SetImage(QStringLiteral("loading.gif"));
  Label(this, nullptr, QRect(20, 646, 170, 20), QStringLiteral("Busy indicator"), 12)->SetTextAlign(Qt::AlignCenter);
}

void GalleryWindow::BuildPerformance() {
  QWidget* panel = Panel(106, QRect(210, 110, 700, 330), QStringLiteral("DPI stages"));
  auto* help = CreateControl<CHelpButton>(111, QRect(120, 13, 20, 20), panel);
  help->SetImage(QStringLiteral("img_help.png"));
  help->SetTooltip(QStringLiteral("Up to six stages"));
  auto* reset = CreateControl<CImageButton>(112, QRect(652, 8, 30, 30), panel);
  reset->SetImage(QStringLiteral("btn_reset.png"));
  auto* dpi = CreateControl<DPIControl>(113, QRect(18, 50, 664, 130), panel);
  const int values[] = {800, 1600, 2400, 3200, 6400, 26000};
  const uint32_t colours[] = {0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFFFF00};
  for (int i = 0; i < 6; ++i) dpi->AddItem(values[i], colours[i]);
  dpi->SetSelectItem(3);
  auto* slider = CreateControl<DPISlider>(114, QRect(18, 192, 664, 70), panel);
  slider->SetMaxProgress(520);
  slider->SetProgress(64);
  slider->SetDPIDesc(QStringLiteral("26000"), QStringLiteral("50"));
  slider->SetValueText(QStringLiteral("3200"));
  Label(this, panel, QRect(18, 280, 120, 32), QStringLiteral("Stages"))->SetTextAlign(Qt::AlignRight | Qt::AlignVCenter);
  auto* count = CreateControl<MComboBox>(117, QRect(150, 280, 110, 34), panel);
  for (int n = 1; n <= 6; ++n) count->AddString(QString::number(n), n);
  count->SetCurData(6);
  auto* apply = CreateControl<MButton>(115, QRect(520, 280, 162, 34), panel);
  apply->SetPrimary(true);
  apply->SetTitle(QStringLiteral("Apply"));

  QWidget* rates = Panel(118, QRect(210, 450, 700, 150), QStringLiteral("Report rate"));
  auto* rate = CreateControl<ReporteCtrl>(122, QRect(18, 46, 664, 92), rates);
  const char* texts[] = {"125Hz", "250Hz", "500Hz", "1000Hz", "2000Hz", "4000Hz", "8000Hz"};
  const int codes[] = {8, 4, 2, 1, 16, 32, 64};
  const uint32_t rateColours[] = {0x0108F1, 0xED6B00, 0x4DF600, 0x20A3FF, 0xC9012B, 0xFFFF00, 0xFFFFFF};
  for (int i = 0; i < 7; ++i) rate->AddItem(QString::fromLatin1(texts[i]), codes[i], rateColours[i]);
  rate->SetSelectItemValue(1);
}

void GalleryWindow::BuildOptions() {
  QWidget* panel = Panel(123, QRect(210, 610, 700, 130), QStringLiteral("Sensor and power"));
  auto* lod1 = CreateControl<CRadioButton>(126, QRect(18, 44, 100, 26), panel);
  lod1->SetGroup(QStringLiteral("IDC_PER_STC_LOD"));
  lod1->SetTitle(QStringLiteral("1.0mm"));
  auto* lod2 = CreateControl<CRadioButton>(127, QRect(120, 44, 100, 26), panel);
  lod2->SetGroup(QStringLiteral("IDC_PER_STC_LOD"));
  lod2->SetTitle(QStringLiteral("2.0mm"));
  lod1->SetCheck(true);
  const char* boxes[] = {"Ripple control", "Angle snapping", "Motion sync"};
  for (int i = 0; i < 3; ++i) {
    auto* box = CreateControl<CCheckButton>(131, QRect(240 + 150 * i, 44, 150, 26), panel);
    box->SetTitle(QString::fromLatin1(boxes[i]));
    box->SetCheck(i == 2);
  }
  auto* sleep = CreateControl<MComboBox>(142, QRect(18, 82, 150, 34), panel);
  for (int m : {1, 2, 5, 10}) sleep->AddString(QStringLiteral("%1 min").arg(m), m * 6);
  sleep->SetCurData(12);
  auto* number = CreateControl<NumberEdit>(136, QRect(180, 82, 90, 34), panel);
  number->SetRange(0, 20);
  number->SetValue(8);
  auto* edit = CreateControl<MEdit>(175, QRect(284, 82, 150, 34), panel);
  edit->SetPlaceholder(QStringLiteral("Delay in ms"));
  edit->SetTitle(QStringLiteral("10"));
  auto* disabled = CreateControl<MButton>(146, QRect(448, 82, 110, 34), panel);
  disabled->SetTitle(QStringLiteral("Disabled"));
  disabled->SetEnabled(false);
  auto* marked = CreateControl<MButton>(86, QRect(570, 82, 112, 34), panel);
  marked->SetImage(QStringLiteral("img_button2.png"));
  marked->SetTitle(QStringLiteral("Marked"));
  marked->SetMarked(true);
}

void GalleryWindow::BuildButtons() {
  QWidget* panel = Panel(59, QRect(920, 110, 670, 460), QStringLiteral("Buttons"));
  auto* mouse = CreateControl<MouseCtrl>(105, QRect(10, 40, 400, 410), panel);
  mouse->SetBkImage(QStringLiteral("img_key_bkg.png"));
  mouse->SetImage(QStringLiteral("device/korvex_k1_top.png"));
  struct Key {
    const char* name;
    const char* desc;
    int dir;
    QPoint a, b;
  } keys[] = {{"Left button", "Left click", 0, {20, 110}, {168, 110}},
              {"Right button", "Right click", 1, {232, 110}, {380, 110}},
              {"Middle button", "Middle click", 1, {200, 150}, {380, 150}},
              {"Back", "Back", 0, {20, 300}, {132, 300}},
              {"Forward", "Forward", 0, {20, 240}, {132, 240}},
              {"DPI button", "DPI loop", 1, {200, 205}, {380, 205}}};
  auto* list = CreateControl<MouseKeyCtrl>(65, QRect(420, 50, 236, 300), panel);
  for (int i = 0; i < 6; ++i) {
    mouse->AddItem(QString::fromLatin1(keys[i].name), i, keys[i].dir, keys[i].a, keys[i].b);
    mouse->SetItemDesc(i, QString::fromLatin1(keys[i].desc));
    list->AddItem(QString::fromLatin1(keys[i].name), QString::fromLatin1(keys[i].desc), i);
  }
  mouse->SetSelectItem(2);
  list->SetSelectItem(2);
  auto* functions = CreateControl<MComboBox>(70, QRect(420, 366, 236, 34), panel);
  functions->AddString(QStringLiteral("Middle click"), 2);
  functions->SetCurSel(0);
  functions->SetMarked(true);
  auto* combo = CreateControl<MButton>(82, QRect(420, 410, 236, 34), panel);
  combo->SetImage(QStringLiteral("img_button2.png"));
  combo->SetTitle(QStringLiteral("Key combination"));
}

void GalleryWindow::BuildLighting() {
  QWidget* panel = Panel(189, QRect(920, 580, 670, 160), QStringLiteral("Lighting"));
  Label(this, panel, QRect(18, 44, 160, 22), QStringLiteral("Brightness: 75%"), 13, QColor(0x8B, 0x92, 0xA3));
  auto* brightness = CreateControl<LightSlider>(201, QRect(10, 64, 220, 36), panel);
  brightness->SetImage(QStringLiteral("img_slider_bar.png"));
  brightness->SetPos(3);
  Label(this, panel, QRect(18, 100, 160, 22), QStringLiteral("Speed: 2"), 13, QColor(0x8B, 0x92, 0xA3));
  auto* speed = CreateControl<LightSlider>(204, QRect(10, 118, 220, 36), panel);
  speed->SetImage(QStringLiteral("img_slider_bar.png"));
  speed->SetPos(2);
  const uint32_t swatches[] = {0x0000FF, 0xFF00F0, 0xFF0C00, 0xFCFF00, 0x06FF00, 0x00DEFF, 0x0048FF, 0xFFFFFF};
  for (int i = 0; i < 8; ++i) {
    auto* swatch = CreateControl<CColorButton>(206 + i, QRect(246 + 36 * (i % 4), 48 + 36 * (i / 4), 32, 32), panel);
    swatch->SetGroup(QStringLiteral("DEFAULTCOLOR"));
    swatch->SetColor(swatches[i]);
  }
  GetControl<CColorButton>(208)->SetSelect(true);
  auto* palette = CreateControl<MPalette>(223, QRect(400, 40, 200, 112), panel);
  palette->SetColor(0xFF0C00);
  auto* preview = CreateArea(224, QRect(610, 46, 44, 44), MRender::FromColourRef(0xFF0C00), panel);
  preview->SetRadius(8);
  auto* progress = CreateControl<MProgress>(33, QRect(246, 128, 140, 8), panel);
  progress->SetProgress(62);
  progress->SetAnimation(true);
}

void GalleryWindow::BuildDevices() {
  auto* list = CreateControl<CDeviceList>(56, QRect(210, 750, 1100, 300));
  list->SetBkImage(QStringLiteral("area_device.png"));
  list->SetModeImage(QStringLiteral("device_mode.png"));
  list->SetBatteryImages(QStringLiteral("icon/icon_battery_bkg.png"), QStringLiteral("icon/icon_batteryvalue.png"),
                         QStringLiteral("icon/icon_charge.png"));
  list->SetVersionCaption(QStringLiteral("Firmware"));
  const QString folder = QStringLiteral("device/");
  list->AddDevice(QStringLiteral("Korvex K1"), 1001, folder + "korvex_k1.png");
  list->AddDevice(QStringLiteral("Korvex K3 Wireless"), 1002, folder + "korvex_k3.png");
  list->AddDevice(QStringLiteral("Korvex K5 Pro"), 1003, folder + "korvex_k5.png");
  list->AddDevice(QStringLiteral("Korvex Classic"), 101, folder + "korvex_classic.png");
  list->SetDeviceState(1001, 0, 1);
  list->SetDeviceVersion(1001, 0x105);
  list->SetDeviceState(1002, 1, 1);
  list->SetDeviceBattery(1002, 0, 82);
  list->SetDeviceVersion(1002, 0x130);
  list->SetDeviceState(1003, 1, 0);
  list->SetDeviceBattery(1003, 0, 14);
  list->SetDeviceState(101, 0, 1);
  list->SetSelectDevice(1002);
}

void GalleryWindow::BuildMacros() {
  QWidget* panel = Panel(147, QRect(1320, 750, 270, 300), QStringLiteral("Macros"));
  auto* macros = CreateControl<MacroList>(153, QRect(8, 40, 254, 90), panel);
  macros->AddString(QStringLiteral("Custom 1"), 1);
  macros->AddString(QStringLiteral("Reload combo"), 2);
  macros->SetCurSel(1);
  auto* events = CreateControl<CRecordList>(163, QRect(8, 136, 254, 156), panel);
  events->SetItemImage(QStringLiteral("icon/icon_list.png"));
  events->AddItem({QString::fromUtf8("↓  R"), 2, 82, 1});
  events->AddItem({QStringLiteral("50 ms"), 1, 50, 2});
  events->AddItem({QString::fromUtf8("↑  R"), 3, 82, 1});
  events->AddItem({QString::fromUtf8("↓  LB"), 4, 1, 3});
  events->SetCurSel(1);
}
