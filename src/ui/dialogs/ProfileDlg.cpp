#include "ui/dialogs/ProfileDlg.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <vector>

#include "profiles/ProfileNames.h"
#include "profiles/ProfileSwitch.h"
#include "skinui/DListBox.h"
#include "skinui/Events.h"
#include "skinui/GuiThread.h"
#include "skinui/MButton.h"
#include "skinui/MPicture.h"
#include "store/SettingsStore.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/DialogText.h"

namespace korvex {

ProfileDlg::ProfileDlg(SettingsStore& store, ProfileId current) : store_(store), dialogProfile_(current) {}

QRect ProfileDlg::PlaceAbove(const QRect& labelOnScreen) {
  return QRect(labelOnScreen.left(), labelOnScreen.top() - 210, labelOnScreen.width(), 205);
}

bool ProfileDlg::Create(DUI::MWindow* owner, const QRect& rect) {
  return MWindow::Create(owner, kTitle, kStyleToolWindow, rect);
}

int ProfileDlg::Open(DUI::MWindow* owner, SettingsStore& store, ProfileId current,
                     const QRect& labelOnScreen, bool deviceOnline) {
  if (!deviceOnline) {
    CUIMessageBox::ShowMessage(owner, kTextOfflineTitle, kTextOfflineMessage, CUIMessageBox::kTypeOk);
    return 0;
  }
  QRect rect = PlaceAbove(labelOnScreen);
  // A window dragged to the top of the screen has no room above the label:
  // the list opens below it instead of off the screen.
  if (QScreen* screen = QGuiApplication::screenAt(labelOnScreen.center())) {
    if (rect.top() < screen->availableGeometry().top()) rect.moveTop(labelOnScreen.bottom() + 6);
  }
  ProfileDlg dlg(store, current);
  dlg.ShowExchangeButtons(true);
  if (!dlg.Create(owner, rect)) return 0;
  const int result = dlg.ShowModal();
  dlg.DestroyWindow();
  return result;
}

void ProfileDlg::OnCreate() {
  SetBkColor(Qt::transparent, Qt::transparent);
  setAttribute(Qt::WA_TranslucentBackground);
  background_ = CreateControl<DUI::MPicture>(kBackground);
  background_->SetImage("img_area_content.png");

  list_ = CreateControl<DUI::DListBox>(kList);
  list_->SetBkImage("img_list_bkg.png");
  list_->SetFontSize(14);
  list_->SetTextAlign(Qt::AlignLeft | Qt::AlignVCenter);
  list_->SetRowHeight(44);
  list_->SetEditable(true);

  import_ = CreateControl<DUI::MButton>(kImport);
  export_ = CreateControl<DUI::MButton>(kExport);
  for (DUI::MButton* button : {import_, export_}) {
    button->SetImage("img_button.png");
    button->SetTextAlign(Qt::AlignCenter);
    button->SetVisible(exchangeButtons_);
  }
  import_->SetTitle(DialogText(kTextImport));
  export_->SetTitle(DialogText(kTextExport));

  OnSize(width(), height());
  FillList();
  list_->setFocus();
}

void ProfileDlg::OnSize(int w, int h) {
  if (list_ == nullptr) return;
  background_->SetRect(0, 0, w, h);
  list_->SetRect(10, 10, w - 10, h - (exchangeButtons_ ? 45 : 10));
  import_->SetRect(10, h - 35, w / 2 - 5, h - 7);
  export_->SetRect(w / 2 + 5, h - 35, w - 10, h - 7);
}

void ProfileDlg::FillList() {
  std::vector<ProfileRecord> profiles;
  store_.ListProfiles(profiles);
  const std::string word = GetText(kTextProfile);
  list_->ResetContent();
  for (const ProfileRecord& profile : profiles)
    list_->AddString(QString::fromStdString(DisplayProfileName(profile.name, word)), profile.profile);
  list_->SetCurData(dialogProfile_);
}

void ProfileDlg::OnNotify(int id, int event, intptr_t param, DUI::MControl*) {
  if (id == kList && event == DUI::kEventClick) {
    OnItemChosen(int(param));
  } else if (id == kList && event == DUI::kEventEditChanged) {
    OnItemRenamed();
  } else if (id == kImport && event == DUI::kEventClick) {
    OnExchange(kActionImport);
  } else if (id == kExport && event == DUI::kEventClick) {
    OnExchange(kActionExport);
  }
}

void ProfileDlg::OnItemChosen(int index) {
  const intptr_t profile = list_->GetItemData(index);
  if (finished_ || profile < 1) return;
  Post(kActionSwitch, ProfileId(profile));
  Finish(kOK);
}

void ProfileDlg::OnItemRenamed() {
  const int index = list_->GetCurSel();
  if (index < 0) return;
  const ProfileId profile = ProfileId(list_->GetItemData(index));
  const std::string text = list_->GetEditText().toStdString();
  if (text.empty()) return;
  if (!RenameProfileText(store_, profile, text)) {
    // The row shows what is stored, not a name that was refused.
    std::string stored;
    store_.GetProfileName(profile, stored);
    list_->SetItemText(index, QString::fromStdString(DisplayProfileName(stored, GetText(kTextProfile))));
  }
  dialogProfile_ = profile;
  changed_ = true;
}

void ProfileDlg::OnExchange(int action) {
  const intptr_t profile = list_->GetCurData();
  if (finished_ || profile < 1) return;
  if (changed_) Post(kActionSwitch, ProfileId(profile));
  Post(action, ProfileId(profile));
  Finish(kOK);
}

void ProfileDlg::OnActivate(bool active) {
  if (active || finished_ || !isVisible()) return;
  // Queued, so an in-place edit that the focus change commits is stored
  // (and counts as a rename) before the dialog decides what to post.
  DUI::GuiThread::Post(this, [this] {
    if (!isActiveWindow()) Dismiss();
  });
}

bool ProfileDlg::OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) {
  if (message != DUI::kMsgClose) return MDialog::OnWindowMessage(message, wParam, lParam);
  Dismiss();
  return true;
}

void ProfileDlg::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    Dismiss();
    return;
  }
  MDialog::keyPressEvent(e);
}

void ProfileDlg::Dismiss() {
  if (finished_) return;
  if (changed_) Post(kActionSwitch, dialogProfile_);
  Finish(kCancel);
}

void ProfileDlg::Post(int action, ProfileId profile) {
  if (DUI::MWindow* owner = GetOwner()) owner->PostMessage(kMsgProfileAction, action, profile);
}

void ProfileDlg::Finish(int result) {
  // Once closing, the activation change of the closing itself must not post
  // a second request.
  finished_ = true;
  if (result == kOK)
    DoOK();
  else
    DoCancel();
}

}  // namespace korvex
