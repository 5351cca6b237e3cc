#pragma once
// The busy indicator shown while the worker applies a profile or restores
// the defaults: a small spinning picture over the main window. It has no
// buttons; only its owner ends it, usually the worker with DoOK.

#include "ui/dialogs/AuxDialog.h"

namespace DUI {
class CGifPicture;
}

namespace korvex {

class WaitDlg : public AuxDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "WaitDlg";
  static constexpr int kSize = 102;
  enum ControlId { kAnimation = 30 };

  WaitDlg();

  // Creates it hidden, centred on the owner's window.
  bool Create(DUI::MWindow* owner);
  DUI::CGifPicture* Animation() const { return animation_; }

 protected:
  void OnCreate() override;

 private:
  DUI::CGifPicture* animation_ = nullptr;
};

}  // namespace korvex
