#include "ui/pages/lighting/LightingPage.h"

#include <QColor>
#include <QEvent>
#include <algorithm>

#include "app/DeviceTask.h"
#include "skinui/CArea.h"
#include "skinui/CColorButton.h"
#include "skinui/CImageButton.h"
#include "skinui/Events.h"
#include "skinui/LightSlider.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MPalette.h"
#include "skinui/MPicture.h"
#include "skinui/MStyle.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "store/SettingsStore.h"
#include "ui/UiText.h"

namespace korvex {
namespace {

constexpr int kCaptionHeight = 50;
// The window height the page's coordinates are drawn for.
constexpr double kDesignHeight = 788.0;
// The page container's place in the window: the background area is given
// in window coordinates.
constexpr int kContainerLeft = 200;
constexpr int kContainerTop = 80;
constexpr const char* kSwatchGroup = "DEFAULTCOLOR";
constexpr const char* kSlotGroup = "COLORVALUE";
constexpr const char* kComponentNames[3] = {"R:", "G:", "B:"};

QColor QtColour(ColourRef c) { return QColor(ColourRed(c), ColourGreen(c), ColourBlue(c)); }

DUI::MText* Caption(DUI::MWindow* window, int id, QWidget* container, int size = 15, bool bold = true) {
  auto* text = window->CreateControl<DUI::MText>(id, QRect(), container);
  text->SetFontSize(size);
  text->SetFontBold(bold);
  return text;
}

}  // namespace

LightingPage::LightingPage(DUI::MWindow* window, QWidget* container, SettingsStore& store, LightingPageHooks hooks)
    : QObject(container), container_(container), store_(store), hooks_(std::move(hooks)), slots_(InitialSlotColours()) {
  background_ = window->CreateControl<DUI::MPicture>(kBackground, QRect(), container);
  background_->SetImage(QStringLiteral("img_area_bkg.png"));
  area_ = window->CreateControl<DUI::MPicture>(kArea, QRect(), container);
  area_->SetImage(QStringLiteral("img_area_content.png"));
  caption_ = window->CreateControl<DUI::MPicture>(kCaption, QRect(), container);
  caption_->SetImage(QStringLiteral("img_area_caption.png"));
  title_ = Caption(window, kTitle, container, 18);
  modePanel_ = window->CreateControl<DUI::MPicture>(kModePanel, QRect(), container);
  modePanel_->SetImage(QStringLiteral("img_area_content.png"));
  colourPanel_ = window->CreateControl<DUI::MPicture>(kColourPanel, QRect(), container);
  colourPanel_->SetImage(QStringLiteral("img_area_content.png"));
  BuildModeRow(window);
  BuildSliders(window);
  BuildColours(window);
  ApplyTexts();
  container->installEventFilter(this);
  Layout();
}

void LightingPage::BuildModeRow(DUI::MWindow* window) {
  modeCaption_ = Caption(window, kModeCaption, container_);
  modeList_ = window->CreateControl<DUI::MComboBox>(kModeList, QRect(), container_);
  modeList_->SetImage(QStringLiteral("img_combobox.png"));
  resetCaption_ = Caption(window, kResetCaption, container_, 14, false);
  resetCaption_->SetTextAlign(Qt::AlignRight | Qt::AlignVCenter);
  reset_ = window->CreateControl<DUI::CImageButton>(kReset, QRect(), container_);
  reset_->SetImage(QStringLiteral("btn_reset.png"));
}

void LightingPage::BuildSliders(DUI::MWindow* window) {
  brightnessCaption_ = Caption(window, kBrightnessCaption, container_);
  brightnessLabel_ = Caption(window, kBrightnessLabel, container_, 14, false);
  brightnessLabel_->SetTextAlign(Qt::AlignRight | Qt::AlignVCenter);
  brightness_ = window->CreateControl<DUI::LightSlider>(kBrightnessSlider, QRect(), container_);
  speedCaption_ = Caption(window, kSpeedCaption, container_);
  speedLabel_ = Caption(window, kSpeedLabel, container_, 14, false);
  speedLabel_->SetTextAlign(Qt::AlignRight | Qt::AlignVCenter);
  speed_ = window->CreateControl<DUI::LightSlider>(kSpeedSlider, QRect(), container_);
  for (DUI::LightSlider* s : {brightness_, speed_}) {
    s->SetImage(QStringLiteral("img_slider_bar.png"));
    s->SetRange(0, 4);
  }
}

void LightingPage::BuildColours(DUI::MWindow* window) {
  swatchCaption_ = Caption(window, kSwatchCaption, container_, 14);
  for (int i = 0; i < 8; ++i) {
    swatches_[i] = window->CreateControl<DUI::CColorButton>(kFirstSwatchId + i, QRect(), container_);
    swatches_[i]->SetColor(SwatchColour(kFirstSwatchId + i));
    swatches_[i]->SetGroup(QString::fromLatin1(kSwatchGroup));
  }
  slotCaption_ = Caption(window, kSlotCaption, container_, 14);
  for (int i = 0; i < kSlotCount; ++i) {
    slotButtons_[i] = window->CreateControl<DUI::CColorButton>(kFirstSlot + i, QRect(), container_);
    slotButtons_[i]->SetGroup(QString::fromLatin1(kSlotGroup));
  }
  ShowSlotColours();
  paletteCaption_ = Caption(window, kPaletteCaption, container_, 14);
  palette_ = window->CreateControl<DUI::MPalette>(kPalette, QRect(), container_);
  preview_ = window->CreateControl<DUI::CArea>(kPreview, QRect(), container_);
  preview_->SetBorderColor(DUI::MStyle::Border());
  preview_->SetRadius(4);
  ShowPreview(0xFFFFFF);
  for (int i = 0; i < 3; ++i) {
    componentCaptions_[i] = Caption(window, kRedCaption + i, container_, 14);
    componentCaptions_[i]->SetTitle(QString::fromLatin1(kComponentNames[i]));
    componentCaptions_[i]->SetTextAlign(Qt::AlignRight | Qt::AlignVCenter);
    fields_[i] = window->CreateControl<DUI::MEdit>(kRedField + i, QRect(), container_);
    fields_[i]->SetImage(QStringLiteral("img_edit.png"));
    fields_[i]->SetNumberOnly(true);
    fields_[i]->SetLimitText(3);
    fields_[i]->SetTitle(QStringLiteral("255"));
  }
}

// --- notifications ------------------------------------------------------------

void LightingPage::OnNotify(int id, int event, intptr_t param) {
  const bool click = event == DUI::kEventClick;
  if (id == kModeList) {
    if (click) SelectLightMode();
  } else if (id == kReset) {
    if (click) ResetLightSettings();
  } else if (id == kBrightnessSlider) {
    SetBrightness(event, static_cast<int>(param));
  } else if (id == kSpeedSlider) {
    SetSpeed(event, static_cast<int>(param));
  } else if (id >= kFirstSwatchId && id <= kLastSwatchId) {
    if (click) PickSwatch(id);
  } else if (id == kPalette) {
    if (click || event == DUI::kEventChanging) PickPaletteColour(static_cast<ColourRef>(param), click);
  } else if (id >= kRedField && id <= kBlueField) {
    if (event == DUI::kEventEditChanged) EditColourComponent(id);
  }
  // A slot click only selects the slot (the control does that itself): the
  // next colour picked goes to it.
}

// --- loading and showing --------------------------------------------------------

void LightingPage::LoadLightPage() {
  const ProfileId profile = hooks_.profile();
  if (profile < 1 || !hooks_.hasLighting()) return;
  EnsureLightRows(store_, profile, hooks_.deviceType(), hooks_.lightModes());
  std::vector<LightRecord> rows;
  store_.ListLights(profile, rows);
  modeList_->ResetContent();
  itemTexts_.clear();
  for (const LightRecord& row : rows) {
    modeList_->AddString(UiText(row.reserved), row.mode);
    itemTexts_.push_back(row.reserved);
  }
  activeLightMode_ = store_.GetActiveLightMode(profile);
  // A profile whose active mode has no row (a model without light_1 right
  // after its rows were made) shows its first mode rather than an empty
  // page that would still show the previous model's controls.
  if (!modeList_->SetCurData(activeLightMode_) && modeList_->GetCount() > 0) modeList_->SetCurSel(0);
  ShowLightMode();
}

void LightingPage::ShowLightMode() {
  const intptr_t selected = modeList_->GetCurData();
  if (selected < 0) return;
  activeLightMode_ = static_cast<int>(selected);
  const ProfileId profile = hooks_.profile();
  LightRecord row;
  if (!store_.GetLight(profile, activeLightMode_, row)) return;
  store_.SetActiveLightMode(profile, activeLightMode_);
  shownFunctions_ = row.config_func;

  const bool bright = HasLightFunction(row.config_func, kLightBrightness);
  for (DUI::MControl* c : std::initializer_list<DUI::MControl*>{brightnessCaption_, brightnessLabel_, brightness_})
    c->SetVisible(bright);
  if (bright) {
    brightness_->SetPos(row.brightness);
    brightnessLabel_->SetTitle(
        QString::fromStdString(BrightnessLabel(GetText(kTextBrightnessLabel), row.brightness)));
  }
  const bool fast = HasLightFunction(row.config_func, kLightSpeed);
  for (DUI::MControl* c : std::initializer_list<DUI::MControl*>{speedCaption_, speedLabel_, speed_}) c->SetVisible(fast);
  if (fast) {
    speed_->SetPos(row.speed);
    speedLabel_->SetTitle(QString::fromStdString(SpeedLabel(GetText(kTextSpeedLabel), row.speed, false)));
  }
  const bool withSlots = HasLightFunction(row.config_func, kLightColourSlots);
  if (withSlots) {
    slots_ = RowSlotColours(row);
    ShowSlotColours();
    slotButtons_[0]->SetSelect(true);
  }
  slotCaption_->SetVisible(withSlots);
  for (DUI::CColorButton* b : slotButtons_) b->SetVisible(withSlots);
  const bool free = HasLightFunction(row.config_func, kLightFreeColour);
  if (free) {
    // The fields, preview and palette start from the colour the mode holds
    // (slot 1 for a mode with slots, which is the slot now selected), not
    // from whatever the previous mode left in them.
    const auto colour = static_cast<ColourRef>(row.color_value1) & 0xFFFFFF;
    ShowComponents(colour);
    ShowPreview(colour);
    palette_->SetColor(colour);
  }
  colourPanel_->SetVisible(free);
  for (DUI::MControl* c : std::initializer_list<DUI::MControl*>{swatchCaption_, paletteCaption_, palette_, preview_})
    c->SetVisible(free);
  for (DUI::CColorButton* b : swatches_) b->SetVisible(free);
  for (int i = 0; i < 3; ++i) {
    componentCaptions_[i]->SetVisible(free);
    fields_[i]->SetVisible(free);
  }
  Layout();
}

void LightingPage::ShowSlotColours() {
  for (int i = 0; i < kSlotCount; ++i) slotButtons_[i]->SetColor(slots_[static_cast<std::size_t>(i)]);
}

int LightingPage::SelectedSlot() const {
  for (int i = 0; i < kSlotCount; ++i)
    if (slotButtons_[i]->GetSelect()) return i;
  return -1;
}

// --- user actions ---------------------------------------------------------------

void LightingPage::SavedAndQueued() {
  hooks_.queueTask(kWriteLighting);
  hooks_.showSaved();
}

void LightingPage::SelectLightMode() {
  ShowLightMode();
  SavedAndQueued();
}

void LightingPage::SetBrightness(int event, int level) {
  const QString caption = QString::fromStdString(GetText(kTextBrightnessLabel));
  if (event == DUI::kEventChanging) {
    brightnessLabel_->SetTitle(QString::fromStdString(BrightnessLabel(caption.toStdString(), level)));
    return;
  }
  if (event != DUI::kEventClick) return;
  const ProfileId profile = hooks_.profile();
  LightRecord row;
  if (!store_.GetLight(profile, activeLightMode_, row)) return;
  row.brightness = brightness_->GetPos();
  brightnessLabel_->SetTitle(QString::fromStdString(BrightnessLabel(caption.toStdString(), row.brightness)));
  store_.UpdateLight(profile, activeLightMode_, row);
  SavedAndQueued();
}

void LightingPage::SetSpeed(int event, int level) {
  const std::string caption = GetText(kTextSpeedLabel);
  if (event == DUI::kEventChanging) {
    speedLabel_->SetTitle(QString::fromStdString(SpeedLabel(caption, level, true)));
    return;
  }
  if (event != DUI::kEventClick) return;
  const ProfileId profile = hooks_.profile();
  LightRecord row;
  if (!store_.GetLight(profile, activeLightMode_, row)) return;
  row.speed = speed_->GetPos();
  speedLabel_->SetTitle(QString::fromStdString(SpeedLabel(caption, row.speed, false)));
  store_.UpdateLight(profile, activeLightMode_, row);
  SavedAndQueued();
}

void LightingPage::ShowComponents(ColourRef colour) {
  const int components[3] = {ColourRed(colour), ColourGreen(colour), ColourBlue(colour)};
  for (int i = 0; i < 3; ++i) fields_[i]->SetTitle(QString::number(components[i]));
}

void LightingPage::ShowPreview(ColourRef colour) { preview_->SetColor(QtColour(colour)); }

void LightingPage::PickSwatch(int id) {
  const ColourRef colour = SwatchColour(id);
  ShowComponents(colour);
  ApplyColour(colour);
}

void LightingPage::PickPaletteColour(ColourRef colour, bool final) {
  DUI::CColorButton::UnselectGroup(QString::fromLatin1(kSwatchGroup));
  ShowComponents(colour);
  // While dragging only the fields follow: nothing is stored or sent until
  // the palette reports the final choice.
  if (final) ApplyColour(colour);
}

void LightingPage::EditColourComponent(int id) {
  DUI::MEdit* field = fields_[id - kRedField];
  const QString text = field->GetTitle();
  const int value = ColourComponentOf(text.toStdString());
  // An emptied field counts as 0 but is left empty while the user types.
  if (!text.isEmpty() && QString::number(value) != text) field->SetTitle(QString::number(value));
  int components[3];
  for (int i = 0; i < 3; ++i) components[i] = ColourComponentOf(fields_[i]->GetTitle().toStdString());
  ApplyColour(ColourOfComponents(components[0], components[1], components[2]));
}

void LightingPage::ApplyColour(ColourRef colour) {
  ShowPreview(colour);
  const ProfileId profile = hooks_.profile();
  LightRecord row;
  if (!store_.GetLight(profile, activeLightMode_, row)) return;
  ApplyColourToRow(row, colour, slots_, SelectedSlot());
  if (HasLightFunction(row.config_func, kLightColourSlots)) ShowSlotColours();
  store_.UpdateLight(profile, activeLightMode_, row);
  SavedAndQueued();
}

void LightingPage::ResetLightSettings() {
  if (!hooks_.confirm(kTextResetTitle, kTextResetQuestion)) return;
  if (hooks_.hasLighting())
    ResetLightRows(store_, hooks_.profile(), hooks_.deviceType(), hooks_.lightModes());
  // The worker resets the mouse's lighting, reads it back into the active
  // row and then reloads this page.
  hooks_.queueTask(kResetLighting);
  hooks_.showSaved();
}

// --- texts and layout -------------------------------------------------------------

void LightingPage::ApplyTexts() {
  title_->SetTitle(UiText(kTextTitle));
  modeCaption_->SetTitle(UiText(kTextMode));
  resetCaption_->SetTitle(UiText(kTextReset));
  reset_->SetTooltip(UiText(kTextReset));
  brightnessCaption_->SetTitle(UiText(kTextBrightness));
  speedCaption_->SetTitle(UiText(kTextSpeed));
  swatchCaption_->SetTitle(UiText(kTextSwatches));
  slotCaption_->SetTitle(UiText(kTextSlots));
  paletteCaption_->SetTitle(UiText(kTextPalette));
  for (DUI::CColorButton* b : slotButtons_) b->SetTooltip(UiText(kTextSlotsTip));
  for (DUI::CColorButton* b : swatches_) b->SetTooltip(UiText(kTextSwatchTip));
  for (int i = 0; i < modeList_->GetCount() && i < static_cast<int>(itemTexts_.size()); ++i)
    modeList_->SetItemText(i, UiText(itemTexts_[static_cast<std::size_t>(i)]));
  brightnessLabel_->SetTitle(
      QString::fromStdString(BrightnessLabel(GetText(kTextBrightnessLabel), brightness_->GetPos())));
  speedLabel_->SetTitle(QString::fromStdString(SpeedLabel(GetText(kTextSpeedLabel), speed_->GetPos(), false)));
}

double LightingPage::Scale() const {
  const QWidget* top = container_->window();
  const int h = top != nullptr && top != container_ ? top->height() : static_cast<int>(kDesignHeight);
  return h > 0 ? h / kDesignHeight : 1.0;
}

QRect LightingPage::Scaled(int x, int y, int w, int h) const {
  const double s = Scale();
  return QRect(static_cast<int>(x * s), static_cast<int>(y * s), static_cast<int>(w * s), static_cast<int>(h * s));
}

void LightingPage::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  background_->SetRect(QRect(0, 0, w, h));
  caption_->SetRect(QRect(0, 0, w, kCaptionHeight));
  title_->SetRect(QRect(24, 0, std::max(0, w - 48), kCaptionHeight));

  // The area behind the controls grows with what the mode offers; it starts
  // under the caption bar.
  const LightArea a = LightBackgroundArea(shownFunctions_, Scale());
  const int left = a.left - kContainerLeft;
  const int top = std::max(a.top - kContainerTop, kCaptionHeight);
  area_->SetRect(QRect(left, top, a.right - a.left, std::max(0, a.bottom - kContainerTop - top)));

  // Panel-relative design coordinates (500 wide), scaled.
  auto at = [&](int x, int y, int cw, int ch) { return Scaled(x, y, cw, ch).translated(left, 0); };
  modePanel_->SetRect(at(10, 60, 480, 100));
  modeCaption_->SetRect(at(24, 66, 260, 28));
  modeList_->SetRect(at(24, 100, 280, 40));
  resetCaption_->SetRect(at(310, 104, 130, 32));
  reset_->SetRect(at(446, 104, 32, 32));
  const int next = LayoutSliders(170);
  LayoutColours(next);
}

int LightingPage::LayoutSliders(int top) {
  const double s = Scale();
  const int left = static_cast<int>(LightBackgroundArea(0, s).left - kContainerLeft);
  auto at = [&](int x, int y, int cw, int ch) { return Scaled(x, y, cw, ch).translated(left, 0); };
  struct Group {
    DUI::MText* caption;
    DUI::MText* label;
    DUI::LightSlider* slider;
    int bit;
  };
  const Group groups[2] = {{brightnessCaption_, brightnessLabel_, brightness_, kLightBrightness},
                           {speedCaption_, speedLabel_, speed_, kLightSpeed}};
  for (const Group& g : groups) {
    if (!HasLightFunction(shownFunctions_, g.bit)) continue;
    g.caption->SetRect(at(24, top + 14, 220, 28));
    g.label->SetRect(at(250, top + 14, 226, 28));
    g.slider->SetRect(at(24, top + 52, 452, 56));
    top += 130;
  }
  return top;
}

void LightingPage::LayoutColours(int top) {
  const double s = Scale();
  const int left = static_cast<int>(LightBackgroundArea(0, s).left - kContainerLeft);
  auto at = [&](int x, int y, int cw, int ch) { return Scaled(x, y, cw, ch).translated(left, 0); };
  colourPanel_->SetRect(at(10, top, 480, 222));
  int y = top + 8;
  swatchCaption_->SetRect(at(24, y, 130, 30));
  for (int i = 0; i < 8; ++i) swatches_[i]->SetRect(at(160 + i * 40, y, 30, 30));
  y += 40;
  if (HasLightFunction(shownFunctions_, kLightColourSlots)) {
    slotCaption_->SetRect(at(24, y, 130, 30));
    for (int i = 0; i < kSlotCount; ++i) slotButtons_[i]->SetRect(at(160 + i * 40, y, 30, 30));
    y += 40;
  }
  paletteCaption_->SetRect(at(24, y, 130, 28));
  preview_->SetRect(at(24, y + 34, 120, std::max(40, 166 - (y - top))));
  const int paletteHeight = std::max(50, 170 - (y - top));
  palette_->SetRect(at(160, y, 316, paletteHeight));
  y += paletteHeight + 8;
  for (int i = 0; i < 3; ++i) {
    componentCaptions_[i]->SetRect(at(160 + i * 108, y, 26, 28));
    fields_[i]->SetRect(at(190 + i * 108, y, 66, 28));
  }
}

bool LightingPage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  return QObject::eventFilter(watched, e);
}

}  // namespace korvex
