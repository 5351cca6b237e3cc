#include "ui/dialogs/WaitDlg.h"

#include "skinui/CGifPicture.h"

namespace korvex {

WaitDlg::WaitDlg() = default;

bool WaitDlg::Create(DUI::MWindow* owner) {
  const unsigned style = kStyleToolWindow | kStyleTopMost | kStyleDraggable;
  if (!MWindow::Create(owner, kTitle, style, QRect(0, 0, kSize, kSize))) return false;
  CenterWindow(owner);
  return true;
}

void WaitDlg::OnCreate() {
  SetBkColor(QColor(0x33, 0x33, 0x33));
  animation_ = CreateControl<DUI::CGifPicture>(kAnimation);
  animation_->SetRect(1, 1, 101, 101);
  animation_->SetImage("loading.gif");
  animation_->Play();
}

}  // namespace korvex
