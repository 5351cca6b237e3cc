// The macro page: construction, layout, texts and the dispatch of its
// controls' notifications.
#include "ui/pages/macros/MacrosPage.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "skinui/CArea.h"
#include "skinui/CIconButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CRecordList.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MPicture.h"
#include "skinui/MStyle.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "skinui/MacroList.h"
#include "macros/MacroEventText.h"
#include "store/SettingsStore.h"
#include "ui/UiText.h"
#include "ui/pages/macros/MacroKeyFeed.h"
#include "ui/pages/macros/MacroTexts.h"

namespace korvex {
namespace {

constexpr int kCaptionHeight = 50;
constexpr int kPad = 16;
constexpr int kGap = 14;
constexpr int kButtonHeight = 34;
constexpr int kRow = 30;

std::uint32_t SteadyTick() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  // Offset so that the first reading is not near 0.
  return static_cast<std::uint32_t>(clock.elapsed() + 1000);
}

}  // namespace

MacrosPage::MacrosPage(DUI::MWindow* window, QWidget* container, SettingsStore& store, MacrosPageHooks hooks,
                       std::function<std::uint32_t()> tick)
    : QObject(container),
      window_(window),
      container_(container),
      store_(store),
      hooks_(std::move(hooks)),
      tick_(tick ? std::move(tick) : std::function<std::uint32_t()>(SteadyTick)),
      recorder_([this] { return Tick(); }) {
  keyFeed_ = std::make_unique<MacroKeyFeed>(window, [this](const CapturedKey& key) {
    RecordKey(key.released, key.keyCode, key.name);
  });
  uploadTimer_ = new QTimer(this);
  uploadTimer_->setInterval(50);
  connect(uploadTimer_, &QTimer::timeout, this, [this] { ContinueUpload(); });
  Build();
  container_->installEventFilter(this);
  ApplyTexts();
  HideEditor();
  Layout();
}

// Owned by the container; Qt drops the event filters of a deleted filter.
MacrosPage::~MacrosPage() = default;

std::uint32_t MacrosPage::Tick() const { return tick_(); }

template <class T>
T* MacrosPage::Add(int id) {
  return window_->CreateControl<T>(id, QRect(), container_);
}

void MacrosPage::Build() {
  background_ = Add<DUI::MPicture>(kBackground);
  background_->SetImage("img_area_bkg.png");
  caption_ = Add<DUI::MPicture>(kCaption);
  caption_->SetImage("img_area_caption.png");
  title_ = Add<DUI::MText>(kTitle);
  title_->SetFontSize(18);
  title_->SetFontBold(true);
  content_ = Add<DUI::MPicture>(kContent);
  content_->SetImage("img_area_content.png");
  BuildList();
  BuildEvents();
  BuildSettings();
  BuildEditor();
}

void MacrosPage::BuildList() {
  listArea_ = Add<DUI::MPicture>(kListArea);
  listArea_->SetImage("img_area2.png");
  listTitle_ = Add<DUI::MText>(kListTitle);
  listTitle_->SetFontSize(16);
  listTitle_->SetFontBold(true);
  macroList_ = Add<DUI::MacroList>(kMacroList);
  macroList_->SetBkImage("img_list_bkg.png");
  macroList_->SetEditImage("btn_more.png");
  macroList_->SetEditable(true);
  newMacro_ = Add<DUI::MButton>(kNewMacro);
  deleteMacro_ = Add<DUI::MButton>(kDeleteMacro);
  for (DUI::MButton* b : {newMacro_, deleteMacro_}) {
    b->SetImage("img_button.png");
    b->SetTextAlign(Qt::AlignCenter);
  }
  uploadText_ = Add<DUI::MText>(kUploadText);
  uploadText_->SetMultiLine(true);
  uploadText_->SetFontSize(13);
  uploadText_->SetTextColor(DUI::MStyle::Warning());
  uploadText_->SetTextAlign(Qt::AlignLeft | Qt::AlignTop);
  uploadSend_ = Add<DUI::MButton>(kUploadSend);
  uploadSend_->SetImage("img_button.png");
  uploadSend_->SetPrimary(true);
  uploadSend_->SetTextAlign(Qt::AlignCenter);
}

void MacrosPage::BuildEvents() {
  eventsArea_ = Add<DUI::MPicture>(kEventsArea);
  eventsArea_->SetImage("img_area2.png");
  eventsTitle_ = Add<DUI::MText>(kEventsTitle);
  eventsTitle_->SetFontSize(16);
  eventsTitle_->SetFontBold(true);
  eventCaption_ = Add<DUI::MPicture>(kEventCaption);
  eventCaption_->SetImage("img_eventcaption.png");
  for (int i = 0; i < 3; ++i) {
    columns_[i] = Add<DUI::MText>(kColumnNumber + i);
    columns_[i]->SetTextColor(DUI::MStyle::TextDim());
    columns_[i]->SetFontSize(13);
  }
  columns_[0]->SetTextAlign(Qt::AlignRight | Qt::AlignVCenter);
  eventList_ = Add<DUI::CRecordList>(kEventList);
  eventList_->SetItemImage("icon/icon_list.png");
  eventList_->SetBkImage("img_list_bkg.png");
  // Mouse buttons pressed over the list while recording are recorded.
  eventList_->installEventFilter(this);
  insert_ = Add<DUI::MButton>(kInsert);
  deleteEvent_ = Add<DUI::MButton>(kDeleteEvent);
  deleteAll_ = Add<DUI::MButton>(kDeleteAllEvents);
  for (DUI::MButton* b : {insert_, deleteEvent_, deleteAll_}) {
    b->SetImage("img_button.png");
    b->SetTextAlign(Qt::AlignCenter);
  }
  moveUp_ = Add<DUI::MButton>(kMoveUp);
  moveUp_->SetImage("img_recorditem_up.png");
  moveDown_ = Add<DUI::MButton>(kMoveDown);
  moveDown_->SetImage("img_recorditem_down.png");
}

void MacrosPage::BuildSettings() {
  settingsArea_ = Add<DUI::MPicture>(kSettingsArea);
  settingsArea_->SetImage("img_area2.png");
  record_ = Add<DUI::CIconButton>(kRecord);
  record_->SetImage("img_button.png");
  record_->SetTextAlign(Qt::AlignCenter);
  record_->SetPrimary(true);
  delayCaption_ = Add<DUI::MText>(kDelayCaption);
  playCaption_ = Add<DUI::MText>(kPlayCaption);
  for (DUI::MText* c : {delayCaption_, playCaption_}) {
    c->SetFontSize(15);
    c->SetTextColor(DUI::MStyle::TextDim());
  }
  for (int i = 0; i < 3; ++i) {
    delayRadios_[i] = Add<DUI::CRadioButton>(kDelayNone + i);
    delayRadios_[i]->SetGroup("IDC_MACRO_STC_DELAYSET");
    playRadios_[i] = Add<DUI::CRadioButton>(kPlayHeld + i);
    playRadios_[i]->SetGroup("IDC_MACRO_RADIO_LOOP1");
  }
  delayArea_ = Add<DUI::CArea>(kDelayArea);
  delayArea_->SetColor(QColor(0xE6, 0xE6, 0xE6, 16));
  delayArea_->SetBorderColor(QColor(0xE6, 0xE6, 0xE6, 40));
  delayArea_->SetRadius(6);
  delayField_ = Add<DUI::MEdit>(kDelayField);
  delayField_->SetLimitText(5);
  delayField_->SetNumberOnly(true);
  delayField_->SetTitle("10");
  delayUnit_ = Add<DUI::MText>(kDelayUnit);
  delayUnit_->SetTitle("ms");
  timesField_ = Add<DUI::MEdit>(kTimesField);
  timesField_->SetImage("img_edit.png");
  timesField_->SetLimitText(3);
  timesField_->SetNumberOnly(true);
  delayRadios_[1]->SetCheck(true);
  playRadios_[2]->SetCheck(true);
  delayField_->SetEnabled(false);
  timesField_->SetEnabled(false);
}

void MacrosPage::BuildEditor() {
  editorArea_ = Add<DUI::MPicture>(kEditorArea);
  editorArea_->SetImage("img_area2.png");
  editorField_ = Add<DUI::MPicture>(kEditorField);
  editorField_->SetImage("img_edit.png");
  kindCaption_ = Add<DUI::MText>(kKindCaption);
  valueCaption_ = Add<DUI::MText>(kValueCaption);
  for (DUI::MText* c : {kindCaption_, valueCaption_}) {
    c->SetFontSize(14);
    c->SetTextColor(DUI::MStyle::TextDim());
  }
  kindList_ = Add<DUI::MComboBox>(kKindList);
  kindList_->SetImage("img_combobox.png");
  valueField_ = Add<DUI::MEdit>(kValueField);
  valueField_->SetImage("img_edit.png");
  buttonList_ = Add<DUI::MComboBox>(kButtonList);
  buttonList_->SetImage("img_combobox.png");
}

void MacrosPage::ApplyTexts() {
  title_->SetTitle(UiText(kTextPageTitle));
  listTitle_->SetTitle(UiText(kTextListTitle));
  eventsTitle_->SetTitle(UiText(kTextEventsTitle));
  newMacro_->SetTitle(UiText(kTextNewMacro));
  deleteMacro_->SetTitle(UiText(kTextDelete));
  columns_[0]->SetTitle(UiText(kTextColumnNumber));
  columns_[1]->SetTitle(UiText(kTextColumnEvent));
  columns_[2]->SetTitle(UiText(kTextColumnValue));
  insert_->SetTitle(UiText(kTextInsert));
  deleteEvent_->SetTitle(UiText(kTextDeleteEvent));
  deleteAll_->SetTitle(UiText(kTextDeleteAll));
  moveUp_->SetTooltip(UiText(kTextMenuUp));
  moveDown_->SetTooltip(UiText(kTextMenuDown));
  delayCaption_->SetTitle(UiText(kTextDelayCaption));
  playCaption_->SetTitle(UiText(kTextPlayCaption));
  for (int i = 0; i < 3; ++i) {
    delayRadios_[i]->SetTitle(UiText(kTextDelayNone + i));
    playRadios_[i]->SetTitle(UiText(kTextPlayHeld + i));
  }
  kindCaption_->SetTitle(UiText(kTextKindCaption));
  valueCaption_->SetTitle(UiText(kTextValueCaption));
  const int button = buttonList_->GetCurSel();
  buttonList_->ResetContent();
  for (int code : kMouseButtonListCodes) buttonList_->AddString(UiText(MouseButtonByCode(code)->textId), code);
  buttonList_->SetCurSel(button);
  uploadSend_->SetTitle(UiText(kTextSendToMouse));
  ShowRecordButton();
  // Default names follow the language.
  for (int i = 0; i < macroList_->GetCount(); ++i) {
    MacroInfo m;
    if (store_.GetMacro(static_cast<int>(macroList_->GetItemData(i)), m))
      macroList_->SetItemText(i, ShownMacroName(m.name));
  }
  if (selectedMacro_ > 0 && editor_.SelectedItem() != nullptr) SelectEvent(editor_.Selected());
  RefreshUploadState();
  Layout();
}

void MacrosPage::ShowRecordButton() {
  const bool on = recorder_.Recording();
  record_->SetTitle(UiText(on ? kTextStopRecording : kTextStartRecording));
  record_->SetIcon(on ? "icon/icon_stop_rec.png" : "icon/icon_rec.png");
}

// --- layout -----------------------------------------------------------------

void MacrosPage::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  background_->SetRect(QRect(0, 0, w, h));
  caption_->SetRect(QRect(0, 0, w, kCaptionHeight));
  title_->SetRect(QRect(24, 0, std::max(0, w - 48), kCaptionHeight));
  content_->SetRect(QRect(kPad, kCaptionHeight + kPad, std::max(0, w - 2 * kPad),
                          std::max(0, h - kCaptionHeight - 2 * kPad)));
  // Three columns: macros, events, settings and the event editor.
  const int inner = std::max(0, w - 2 * kPad - 4 * kGap);
  const int listW = inner * 24 / 100;
  const int eventsW = inner * 38 / 100;
  const int settingsW = inner - listW - eventsW;
  const int top = kCaptionHeight + kPad + kGap;
  const int colH = std::max(0, h - top - kPad - kGap);
  const int x0 = kPad + kGap;
  LayoutList(x0, listW, colH);
  LayoutEvents(x0 + listW + kGap, eventsW, colH);
  LayoutSettings(x0 + listW + eventsW + 2 * kGap, settingsW, colH);
}

void MacrosPage::LayoutList(int x, int w, int h) {
  const int top = kCaptionHeight + kPad + kGap;
  listArea_->SetRect(QRect(x, top, w, h));
  listTitle_->SetRect(QRect(x + 14, top + 6, w - 28, 36));
  const int buttonsY = top + h - kButtonHeight - 14;
  const int uploadH = uploadText_->IsVisible() ? 118 : 0;
  macroList_->SetRect(QRect(x + 10, top + 46, w - 20, std::max(0, buttonsY - top - 56 - uploadH)));
  uploadText_->SetRect(QRect(x + 14, buttonsY - uploadH, w - 28, 64));
  uploadSend_->SetRect(QRect(x + 14, buttonsY - uploadH + 66, w - 28, kButtonHeight));
  const int half = (w - 34) / 2;
  newMacro_->SetRect(QRect(x + 12, buttonsY, half, kButtonHeight));
  deleteMacro_->SetRect(QRect(x + 22 + half, buttonsY, half, kButtonHeight));
}

void MacrosPage::LayoutEvents(int x, int w, int h) {
  const int top = kCaptionHeight + kPad + kGap;
  eventsArea_->SetRect(QRect(x, top, w, h));
  eventsTitle_->SetRect(QRect(x + 14, top + 6, w - 28, 36));
  const int listX = x + 10;
  const int listW = w - 20 - 44;
  eventCaption_->SetRect(QRect(listX, top + 46, listW, 28));
  columns_[0]->SetRect(QRect(listX, top + 46, 46, 28));
  columns_[1]->SetRect(QRect(listX + 84, top + 46, 120, 28));
  // Over the list's value column (delays), which is at most 140 wide.
  const int valueW = std::min(140, listW / 3);
  columns_[2]->SetRect(QRect(listX + listW - valueW - 12, top + 46, valueW, 28));
  const int buttonsY = top + h - kButtonHeight - 14;
  eventList_->SetRect(QRect(listX, top + 78, listW, std::max(0, buttonsY - top - 88)));
  moveUp_->SetRect(QRect(listX + listW + 8, top + 78, 32, 32));
  moveDown_->SetRect(QRect(listX + listW + 8, top + 118, 32, 32));
  const int third = (w - 20 - 2 * 10) / 3;
  insert_->SetRect(QRect(listX, buttonsY, third, kButtonHeight));
  deleteEvent_->SetRect(QRect(listX + third + 10, buttonsY, third, kButtonHeight));
  deleteAll_->SetRect(QRect(listX + 2 * (third + 10), buttonsY, third, kButtonHeight));
}

void MacrosPage::LayoutSettings(int x, int w, int h) {
  const int top = kCaptionHeight + kPad + kGap;
  const int settingsH = std::min(h, 330);
  settingsArea_->SetRect(QRect(x, top, w, settingsH));
  int y = top + 14;
  record_->SetRect(QRect(x + 14, y, w - 28, 40));
  y += 54;
  delayCaption_->SetRect(QRect(x + 14, y, w - 28, kRow));
  y += kRow + 2;
  for (int i = 0; i < 3; ++i) delayRadios_[i]->SetRect(QRect(x + 20, y + i * kRow, w / 2, kRow));
  const int fieldX = x + 20 + w / 2;
  delayArea_->SetRect(QRect(fieldX, y + 2 * kRow, 70, kRow - 2));
  delayField_->SetRect(QRect(fieldX + 4, y + 2 * kRow + 1, 62, kRow - 4));
  delayUnit_->SetRect(QRect(fieldX + 76, y + 2 * kRow, 40, kRow - 2));
  y += 3 * kRow + 10;
  playCaption_->SetRect(QRect(x + 14, y, w - 28, kRow));
  y += kRow + 2;
  const int radioW = std::max(0, w - 40 - 80);
  for (int i = 0; i < 3; ++i) playRadios_[i]->SetRect(QRect(x + 20, y + i * kRow, radioW, kRow));
  timesField_->SetRect(QRect(x + w - 90, y + 2 * kRow, 70, kRow - 2));

  const int editorTop = top + settingsH + kGap;
  const int editorH = std::max(0, h - settingsH - kGap);
  editorArea_->SetRect(QRect(x, editorTop, w, std::min(editorH, 112)));
  kindCaption_->SetRect(QRect(x + 14, editorTop + 14, 110, 34));
  kindList_->SetRect(QRect(x + 130, editorTop + 14, w - 144, 34));
  valueCaption_->SetRect(QRect(x + 14, editorTop + 60, 110, 34));
  editorField_->SetRect(QRect(x + 130, editorTop + 60, w - 144, 34));
  valueField_->SetRect(QRect(x + 134, editorTop + 62, w - 152, 30));
  buttonList_->SetRect(QRect(x + 130, editorTop + 60, w - 144, 34));
}

bool MacrosPage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  if (watched == eventList_ && recorder_.Recording() &&
      (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)) {
    const auto* mouse = static_cast<QMouseEvent*>(e);
    int mask = 0;
    switch (mouse->button()) {
      case Qt::LeftButton: mask = 1; break;
      case Qt::RightButton: mask = 2; break;
      case Qt::MiddleButton: mask = 4; break;
      case Qt::BackButton: mask = 8; break;
      case Qt::ForwardButton: mask = 16; break;
      default: break;
    }
    if (mask != 0) RecordButton(e->type() == QEvent::MouseButtonRelease, mask);
    return true;
  }
  return QObject::eventFilter(watched, e);
}

// --- dispatch ---------------------------------------------------------------

void MacrosPage::OnNotify(int id, int event, intptr_t param) {
  const bool click = event == DUI::kEventClick;
  const int index = static_cast<int>(param);
  switch (id) {
    case kMacroList:
      if (click || event == DUI::kEventSelChanged) ShowMacro(static_cast<int>(macroList_->GetItemData(index)));
      else if (event == DUI::kEventContextMenu) ShowMacroMenu();
      else if (event == DUI::kEventEditChanged) RenameMacroEntry(index, macroList_->GetEditText());
      return;
    case kNewMacro: if (click) NewMacro(); return;
    case kDeleteMacro: if (click) RemoveMacro(); return;
    case kEventList:
      if (click || event == DUI::kEventSelChanged) SelectEvent(index);
      else if (event == DUI::kEventContextMenu) ShowEventMenu();
      return;
    case kInsert: if (click) ShowInsertMenu(); return;
    case kDeleteEvent: if (click) DeleteEvent(); return;
    case kDeleteAllEvents: if (click) DeleteAllEvents(); return;
    case kMoveUp: if (click) MoveEventUp(); return;
    case kMoveDown: if (click) MoveEventDown(); return;
    case kRecord: if (click) ToggleRecording(); return;
    case kDelayNone:
    case kDelayMeasured:
    case kDelayFixed:
      if (click) OnDelayRadio(id - kDelayNone);
      return;
    case kPlayHeld:
    case kPlayToggle:
    case kPlayTimes:
      if (click) OnPlayRadio(id - kPlayHeld);
      return;
    case kDelayField:
      if (event == DUI::kEventKillFocus || click) {
        ClampDelayField();
        SaveMacroSettings();
      }
      return;
    case kTimesField:
      if (event == DUI::kEventKillFocus || click) {
        ClampTimesField();
        SaveMacroSettings();
      }
      return;
    case kValueField:
      if (event == DUI::kEventSetFocus) OnValueFocus(true);
      else if (event == DUI::kEventKillFocus) OnValueFocus(false);
      else if (click) {
        EditEventDelay();
      }
      return;
    case kButtonList:
      if (click) EditEventButton(static_cast<int>(buttonList_->GetItemData(index)));
      return;
    case kUploadSend: if (click) SendToMouse(); return;
    default:
      return;
  }
}

}  // namespace korvex
