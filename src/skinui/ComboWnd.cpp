#include "skinui/ComboWnd.h"

#include <QGuiApplication>
#include <QScreen>

#include "skinui/DListBox.h"
#include "skinui/Events.h"
#include "skinui/MComboBox.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kRowH = 34;
constexpr int kMaxRows = 8;
constexpr int kListId = 1;

}  // namespace

ComboWnd::ComboWnd(MComboBox* combo) : combo_(combo) {}

void ComboWnd::OnCreate() {
  SetBkColor(MStyle::Panel(), MStyle::Border());
  list_ = CreateControl<DListBox>(kListId, QRect(0, 0, width(), height()));
  list_->SetRowHeight(kRowH);
}

void ComboWnd::OnSize(int width, int height) {
  if (list_ != nullptr) list_->setGeometry(1, 4, width - 2, height - 8);
}

void ComboWnd::Open(const QStringList& texts, int selected, const QRect& anchor) {
  list_->ResetContent();
  for (const QString& text : texts) list_->AddString(text);
  list_->SetCurSel(selected);
  const int rows = std::clamp(int(texts.size()), 1, kMaxRows);
  QRect r(anchor.left(), anchor.bottom() + 3, anchor.width(), rows * kRowH + 8);
  // Open upwards when the list would leave the screen.
  if (QScreen* screen = QGuiApplication::screenAt(anchor.center())) {
    if (r.bottom() > screen->availableGeometry().bottom()) r.moveBottom(anchor.top() - 3);
  }
  setGeometry(r);
  ShowWindow(kShow);
  list_->setFocus();
  list_->EnsureVisible(selected);
}

void ComboWnd::OnNotify(int id, int event, intptr_t param, MControl*) {
  if (id != kListId || event != kEventClick) return;
  ShowWindow(kShowHide);
  combo_->ChooseFromList(int(param));
}

}  // namespace DUI
