#include "ui/pages/buttons/ButtonsPage.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "app/DeviceTask.h"
#include "protocol/ButtonCommands.h"
#include "protocol/KeyUsage.h"
#include "skinui/CImageButton.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "skinui/MouseCtrl.h"
#include "skinui/MouseKeyCtrl.h"
#include "store/SettingsStore.h"
#include "ui/UiText.h"
#include "ui/pages/buttons/FirePanel.h"
#include "ui/pages/buttons/KeyCombinationPanel.h"

namespace korvex {
namespace {

// The layout's measures, in pixels of the container.
constexpr int kCaptionHeight = 50;
constexpr int kMargin = 24;
constexpr int kGap = 16;
constexpr int kListWidth = 300;
constexpr int kRowHeight = 36;
constexpr int kRowGap = 8;
constexpr int kRowCaptionWidth = 150;
constexpr int kHeaderHeight = 84;
constexpr int kResetAllWidth = 150;
constexpr int kResetSize = 28;
// Buttons a page shows before the model is known ("Button 1" .. "Button 6").
constexpr int kPlaceholderButtons = 6;

std::string Text(int id) { return GetText(id); }

}  // namespace

ButtonsPage::ButtonsPage(DUI::MWindow* window, QWidget* container, SettingsStore& store, ButtonsPageHooks hooks)
    : QObject(container), container_(container), store_(store), hooks_(std::move(hooks)) {
  Build(window);
  keyPanel_ = new KeyCombinationPanel(window, container_);
  firePanel_ = new FirePanel(window, container_);
  container_->installEventFilter(this);
  ApplyTexts();
  Layout();
}

ButtonsPage::~ButtonsPage() = default;

void ButtonsPage::Build(DUI::MWindow* window) {
  background_ = window->CreateControl<DUI::MPicture>(kBackground, QRect(), container_);
  background_->SetImage(QStringLiteral("img_area_bkg.png"));
  caption_ = window->CreateControl<DUI::MPicture>(kCaption, QRect(), container_);
  caption_->SetImage(QStringLiteral("img_area_caption.png"));
  title_ = window->CreateControl<DUI::MText>(kTitle, QRect(), container_);
  title_->SetFontSize(18);
  title_->SetFontBold(true);
  resetAll_ = window->CreateControl<DUI::MButton>(kResetAll, QRect(), container_);
  resetAll_->SetImage(QStringLiteral("img_button.png"));

  listArea_ = window->CreateControl<DUI::MPicture>(kListArea, QRect(), container_);
  listArea_->SetImage(QStringLiteral("img_area2.png"));
  buttonList_ = window->CreateControl<DUI::MouseKeyCtrl>(kButtonList, QRect(), container_);
  mouse_ = window->CreateControl<DUI::MouseCtrl>(kMousePicture, QRect(), container_);
  mouse_->SetBkImage(QStringLiteral("img_key_bkg.png"));
  for (int i = 0; i < kPlaceholderButtons; ++i)
    buttonList_->AddItem(QStringLiteral("%1 %2").arg(UiText(kTextButton)).arg(i + 1), QString(), i);

  content_ = window->CreateControl<DUI::MPicture>(kContent, QRect(), container_);
  content_->SetImage(QStringLiteral("img_area_content.png"));
  panelTitle_ = window->CreateControl<DUI::MText>(kPanelTitle, QRect(), container_);
  panelTitle_->SetFontSize(16);
  panelTitle_->SetFontBold(true);
  sectionTitle_ = window->CreateControl<DUI::MText>(kSectionTitle, QRect(), container_);
  sectionTitle_->SetTextColor(QColor(0x9A, 0xA4, 0xB2));
  resetButton_ = window->CreateControl<DUI::CImageButton>(kResetButton, QRect(), container_);
  resetButton_->SetImage(QStringLiteral("btn_reset.png"));
  BuildFunctionRows(window);
}

void ButtonsPage::BuildFunctionRows(DUI::MWindow* window) {
  struct Spec {
    int category;
    int captionId;
    int listId;
    int captionText;
  };
  const Spec specs[] = {
      {kMouseFunction, kMouseCaption, kMouseList, kTextMouseCaption},
      {kMediaFunction, kMediaCaption, kMediaList, kTextMediaCaption},
      {kMacroBinding, kMacroCaption, kMacroList, kTextMacroCaption},
      {kSystemShortcut, kShortcutList, kShortcutList, kTextShortcutCaption},
      {kDpiFunction, kDpiCaption, kDpiList, kTextDpiCaption},
      {kSpecialFunction, kSpecialCaption, kSpecialList, kTextSpecialCaption},
  };
  for (const Spec& s : specs) {
    ListRow row{s.category, s.captionText, window->CreateControl<DUI::MText>(s.captionId, QRect(), container_),
                window->CreateControl<DUI::MComboBox2>(s.listId, QRect(), container_)};
    row.list->SetImage(QStringLiteral("img_combobox.png"));
    rows_.push_back(row);
  }
  auto opener = [&](int captionId, int buttonId, DUI::MText*& caption, DUI::MButton*& button) {
    caption = window->CreateControl<DUI::MText>(captionId, QRect(), container_);
    button = window->CreateControl<DUI::MButton2>(buttonId, QRect(), container_);
    button->SetImage(QStringLiteral("img_button2.png"));
  };
  opener(kKeyCaption, kKeyOpen, keyCaption_, keyOpen_);
  opener(kFireCaption, kFireOpen, fireCaption_, fireOpen_);
  opener(kDisableCaption, kDisable, disableCaption_, disable_);
}

DUI::MComboBox* ButtonsPage::List(int category) const {
  for (const ListRow& row : rows_)
    if (row.category == category) return row.list;
  return nullptr;
}

// --- texts and layout ----------------------------------------------------------

void ButtonsPage::ApplyTexts() {
  title_->SetTitle(UiText(kTextPageTitle));
  sectionTitle_->SetTitle(UiText(kTextSectionTitle));
  resetAll_->SetTitle(UiText(kTextResetAll));
  resetButton_->SetTooltip(UiText(kTextResetButtonTip));
  for (const ListRow& row : rows_) row.caption->SetTitle(UiText(row.captionText));
  keyCaption_->SetTitle(UiText(kTextKeyCombination));
  keyOpen_->SetTitle(UiText(kTextOpenPanel));
  fireCaption_->SetTitle(UiText(kTextFire));
  fireOpen_->SetTitle(UiText(kTextOpenPanel));
  disableCaption_->SetTitle(UiText(kTextDisable));
  disable_->SetTitle(UiText(kTextDisable));
  FillLists();
  if (descriptor_.buttons.empty()) {
    for (int i = 0; i < buttonList_->GetCount(); ++i)
      buttonList_->SetItemName(i, QStringLiteral("%1 %2").arg(UiText(kTextButton)).arg(i + 1));
  } else {
    for (int i = 0; i < buttonList_->GetCount() && i < static_cast<int>(descriptor_.buttons.size()); ++i) {
      const QString name = UiText(descriptor_.buttons[static_cast<std::size_t>(i)].nameId);
      buttonList_->SetItemName(i, name);
      mouse_->SetItemName(i, name);
    }
  }
  // Stored descriptions are shown in the new language where one is defined.
  DescribeButtons();
  const int index = std::max(0, buttonList_->GetSelectItem());
  panelTitle_->SetTitle(buttonList_->GetItemName(index));
  keyPanel_->ApplyTexts();
  firePanel_->ApplyTexts();
  ShowButtonFunction();
}

void ButtonsPage::FillLists() {
  for (const ListRow& row : rows_) {
    const int selected = row.list->GetCurSel();
    row.list->ResetContent();
    if (row.category == kMacroBinding) {
      for (const auto& [name, id] : macros_) row.list->AddString(name, id);
    } else {
      for (const FunctionItem& item : FunctionItems(row.category))
        row.list->AddString(QString::fromStdString(FunctionItemText(item, Text)), item.code);
    }
    row.list->SetCurSel(std::min(selected, row.list->GetCount() - 1));
  }
}

void ButtonsPage::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  background_->SetRect(QRect(0, 0, w, h));
  caption_->SetRect(QRect(0, 0, w, kCaptionHeight));
  title_->SetRect(QRect(kMargin, 0, std::max(0, w - 3 * kMargin - kResetAllWidth), kCaptionHeight));
  resetAll_->SetRect(QRect(w - kMargin - kResetAllWidth, 9, kResetAllWidth, 32));

  const int top = kCaptionHeight + kMargin;
  const int bodyHeight = std::max(0, h - top - kMargin);
  // The function column takes what the rows need; the list and the picture
  // share the rest.
  const int columnWidth = std::clamp(w * 36 / 100, 380, 460);
  const int leftWidth = std::max(0, w - 2 * kMargin - kGap - columnWidth);
  listArea_->SetRect(QRect(kMargin, top, leftWidth, bodyHeight));
  const int listWidth = std::min(kListWidth, leftWidth / 2);
  buttonList_->SetRect(QRect(kMargin + kGap, top + kGap, listWidth, std::max(0, bodyHeight - 2 * kGap)));
  const int mouseLeft = kMargin + 2 * kGap + listWidth;
  mouse_->SetRect(QRect(mouseLeft, top + kGap, std::max(0, kMargin + leftWidth - kGap - mouseLeft),
                        std::max(0, bodyHeight - 2 * kGap)));

  const int x = kMargin + leftWidth + kGap;
  const QRect column(x, top, columnWidth, bodyHeight);
  content_->SetRect(column);
  const int inner = x + 20;
  const int innerWidth = columnWidth - 40;
  panelTitle_->SetRect(QRect(inner, top + 10, innerWidth - kResetSize - 8, 32));
  resetButton_->SetRect(QRect(x + columnWidth - 20 - kResetSize, top + 12, kResetSize, kResetSize));
  sectionTitle_->SetRect(QRect(inner, top + 42, innerWidth, 26));

  int y = top + kHeaderHeight;
  const int fieldX = inner + kRowCaptionWidth;
  const int fieldWidth = std::max(0, innerWidth - kRowCaptionWidth);
  auto place = [&](DUI::MControl* caption, DUI::MControl* field) {
    caption->SetRect(QRect(inner, y, kRowCaptionWidth - 8, kRowHeight));
    field->SetRect(QRect(fieldX, y, fieldWidth, kRowHeight));
    y += kRowHeight + kRowGap;
  };
  for (const ListRow& row : rows_) place(row.caption, row.list);
  place(keyCaption_, keyOpen_);
  place(fireCaption_, fireOpen_);
  place(disableCaption_, disable_);
  // The panels cover the function rows while they are open.
  const QRect panel(x, top + kHeaderHeight - 12, columnWidth, std::max(0, bodyHeight - kHeaderHeight + 12));
  keyPanel_->SetRect(panel);
  firePanel_->SetRect(panel);
}

bool ButtonsPage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  return QObject::eventFilter(watched, e);
}

// --- model and profile ----------------------------------------------------------

void ButtonsPage::ShowModel(const ModelDescriptor& descriptor) {
  descriptor_ = descriptor;
  mouse_->DeleteAllItems();
  buttonList_->DeleteAllItems();
  mouse_->SetImage(QString::fromStdString(descriptor.mouseImage));
  for (const DescriptorButton& b : descriptor.buttons) {
    const QString name = UiText(b.nameId);
    mouse_->AddItem(name, b.keyValue, b.direction, QPoint(b.rectA, b.rectC), QPoint(b.rectB, b.rectC));
    buttonList_->AddItem(name, UiText(b.funcDescId), b.keyValue);
  }
  LoadButtonPage();
}

void ButtonsPage::SetMacros(const std::vector<std::pair<QString, int>>& macros) {
  macros_ = macros;
  FillLists();
  ShowButtonFunction();
}

void ButtonsPage::LoadButtonPage() {
  SelectIndex(0);
  DescribeButtons();
  ShowButtonFunction();
}

void ButtonsPage::DescribeButtons() {
  for (const DescriptorButton& b : descriptor_.buttons) SetDescription(b.keyValue, UiText(b.funcDescId));
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  if (profile <= 0) return;
  std::vector<KeyAssignmentRecord> rows;
  store_.ListKeyAssignments(profile, 0, rows);
  for (const KeyAssignmentRecord& row : rows)
    SetDescription(row.key_code, QString::fromStdString(DescribeAssignment(row, Text, hooks_.macroName)));
}

void ButtonsPage::SetDescription(int keyCode, const QString& text) {
  const int listIndex = buttonList_->FindItemByKey(keyCode);
  if (listIndex >= 0) buttonList_->SetItemDesc(listIndex, text);
  const int mouseIndex = mouse_->FindItemByKey(keyCode);
  if (mouseIndex >= 0) mouse_->SetItemDesc(mouseIndex, text);
}

const DescriptorButton* ButtonsPage::ButtonOf(int keyCode) const {
  for (const DescriptorButton& b : descriptor_.buttons)
    if (b.keyValue == keyCode) return &b;
  return nullptr;
}

QString ButtonsPage::DefaultDescription(int keyCode) const {
  const DescriptorButton* b = ButtonOf(keyCode);
  return b ? UiText(b->funcDescId) : QString();
}

// --- selection --------------------------------------------------------------------

void ButtonsPage::SelectIndex(int index) {
  if (index < 0 || index >= buttonList_->GetCount()) index = 0;
  buttonList_->SetSelectItem(index);
  if (mouse_->GetItemCount() > index) mouse_->SetSelectItem(index);
  const int key = buttonList_->GetItemKeyValue(index);
  selectedKey_ = key < 0 ? 0 : key;
  panelTitle_->SetTitle(buttonList_->GetItemName(index));
}

void ButtonsPage::SelectButton(int index) {
  if (index < 0 || index >= buttonList_->GetCount()) return;
  SelectIndex(index);
  ShowButtonFunction();
}

void ButtonsPage::UnmarkAll() {
  for (const ListRow& row : rows_) row.list->SetMarked(false);
  keyOpen_->SetMarked(false);
  fireOpen_->SetMarked(false);
  disable_->SetMarked(false);
}

void ButtonsPage::MarkRow(DUI::MComboBox* list, int category, int code) {
  if (list == nullptr) return;
  list->SetMarked(true);
  if (category == kMacroBinding || FunctionItemIndex(category, code) >= 0) list->SetCurData(code);
}

void ButtonsPage::ShowButtonFunction() {
  keyPanel_->Hide();
  firePanel_->Hide();
  UnmarkAll();
  for (const ListRow& row : rows_) row.list->SetCurSel(row.list->GetCount() > 0 ? 0 : -1);
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  KeyAssignmentRecord row;
  if (profile <= 0 || !store_.GetKeyAssignment(profile, 0, selectedKey_, row)) {
    // No row: the button's default function, as the descriptor names it.
    const DescriptorButton* b = ButtonOf(selectedKey_);
    if (b != nullptr && List(b->funcType) != nullptr) MarkRow(List(b->funcType), b->funcType, b->funcValue);
    return;
  }
  switch (row.macro_type) {
    case kMouseFunction:
    case kMediaFunction:
    case kMacroBinding:
    case kDpiFunction:
    case kSpecialFunction:
    case kSystemShortcut:
      MarkRow(List(row.macro_type), row.macro_type, row.macro_value);
      break;
    case kFireFunction:
      fireOpen_->SetMarked(true);
      firePanel_->Open();
      firePanel_->Show(row.macro_value, row.macro_value2);
      break;
    case kDisabled:
      disable_->SetMarked(true);
      break;
    case kKeyCombination:
      keyOpen_->SetMarked(true);
      break;
    default:
      break;
  }
}

// --- assignments --------------------------------------------------------------------

bool ButtonsPage::Guard() {
  if (!LeftButtonGuarded(selectedKey_)) return true;
  if (hooks_.ask) hooks_.ask(kTextGuardTitle, kTextGuardMessage, false);
  return false;
}

void ButtonsPage::Saved() {
  if (hooks_.showSaved) hooks_.showSaved();
}

bool ButtonsPage::Store(int category, int value, int value2, const QString& description) {
  if (!Guard()) return false;
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  const KeyAssignmentRecord row =
      MakeAssignment(profile, selectedKey_, category, value, value2, description.toStdString());
  if (store_.SetKeyAssignment(row) > 0) SetDescription(selectedKey_, description);
  // The mark goes first: the worker may take the write the moment it is
  // queued, and a write without the mark would bind the slot without the data.
  if (category == kMacroBinding && hooks_.markMacroUpload) hooks_.markMacroUpload(selectedKey_);
  if (hooks_.queueTask) hooks_.queueTask(kWriteButtons);
  Saved();
  return true;
}

void ButtonsPage::AssignFromList(int category, int index) {
  DUI::MComboBox* list = List(category);
  if (list == nullptr || index < 0 || index >= list->GetCount()) return;
  const int code = static_cast<int>(list->GetItemData(index));
  if (Store(category, code, 0, list->GetItemText(index))) {
    UnmarkAll();
    list->SetMarked(true);
    list->SetCurSel(index);
  } else {
    ShowButtonFunction();  // the refused pick does not stay shown
  }
}

void ButtonsPage::OpenKeyCombinationPanel() {
  if (!Guard()) return;
  firePanel_->Hide();
  keyPanel_->Open();
}

void ButtonsPage::AssignKeyCombination() {
  const int usage = VirtualKeyToUsage(keyPanel_->CapturedKey());
  const ModifierToggles toggles = keyPanel_->Toggles();
  const int mask = ModifierTogglesMask(toggles);
  if (!KeyCombinationStorable(usage, mask)) return;
  const std::string text = KeyCombinationText(toggles, keyPanel_->KeyText().toStdString());
  if (Store(kKeyCombination, usage, mask, QString::fromStdString(text))) {
    UnmarkAll();
    keyOpen_->SetMarked(true);
  }
}

void ButtonsPage::OpenFirePanel() {
  if (!Guard()) return;
  keyPanel_->Hide();
  firePanel_->Open();
}

void ButtonsPage::AssignFire() {
  // A number still being typed has not been clamped by a focus change.
  const int first = firePanel_->Clamp(FirePanel::kFirst);
  const int second = firePanel_->Clamp(FirePanel::kSecond);
  if (Store(kFireFunction, first, second, UiText(kTextFire))) {
    UnmarkAll();
    fireOpen_->SetMarked(true);
  }
}

void ButtonsPage::DisableButton() {
  if (Store(kDisabled, 1, 0, UiText(kTextDisable))) {
    UnmarkAll();
    disable_->SetMarked(true);
  }
}

bool ButtonsPage::Confirm(int messageText) {
  return !hooks_.ask || hooks_.ask(kTextResetTitle, messageText, true) == 1;
}

void ButtonsPage::ResetButton() {
  if (!Confirm(kTextResetMessage)) return;
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  store_.SetKeyAssignment(MakeReset(profile, selectedKey_));
  SetDescription(selectedKey_, DefaultDescription(selectedKey_));
  ShowButtonFunction();
  if (hooks_.queueTask) hooks_.queueTask(kWriteButtons);
  Saved();
}

void ButtonsPage::ResetAllButtons() {
  // Asked as what it does: all buttons, not the one selected.
  if (!Confirm(kTextResetAllMessage)) return;
  SelectIndex(0);
  for (const DescriptorButton& b : descriptor_.buttons) SetDescription(b.keyValue, UiText(b.funcDescId));
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  store_.DeleteKeyAssignments(profile);
  ShowButtonFunction();
  if (hooks_.queueTask) hooks_.queueTask(kWriteButtons);
  Saved();
}

// --- notifications ---------------------------------------------------------------------

void ButtonsPage::OnNotify(int id, int event, intptr_t param) {
  const bool click = event == DUI::kEventClick;
  const int index = static_cast<int>(param);
  if (KeyCombinationPanel::IsPanelControl(id)) {
    if (!click) return;
    if (id == KeyCombinationPanel::kOk) AssignKeyCombination();
    else if (id == KeyCombinationPanel::kClose) keyPanel_->Hide();
    else keyPanel_->OnToggle(id);
    return;
  }
  if (FirePanel::IsPanelControl(id)) {
    if ((id == FirePanel::kFirst || id == FirePanel::kSecond) && event == DUI::kEventKillFocus)
      firePanel_->Clamp(id);
    else if (click && id == FirePanel::kOk) AssignFire();
    else if (click && id == FirePanel::kClose) firePanel_->Hide();
    return;
  }
  switch (id) {
    case kButtonList:
      if (click || event == DUI::kEventSelChanged) SelectButton(index);
      return;
    case kMousePicture:
      if (click) SelectButton(index);
      return;
    case kResetAll:
      if (click) ResetAllButtons();
      return;
    case kResetButton:
      if (click) ResetButton();
      return;
    case kKeyOpen:
      if (click) OpenKeyCombinationPanel();
      return;
    case kFireOpen:
      if (click) OpenFirePanel();
      return;
    case kDisable:
      if (click) DisableButton();
      return;
    default:
      break;
  }
  if (!click) return;
  for (const ListRow& row : rows_) {
    if (row.list->GetId() == id) {
      AssignFromList(row.category, index);
      return;
    }
  }
}

}  // namespace korvex
