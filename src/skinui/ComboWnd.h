#pragma once
#include <QStringList>

#include "skinui/MWindow.h"

namespace DUI {

class DListBox;
class MComboBox;

// The drop-down list of an MComboBox: a pop-up window titled "ComboWnd"
// (so it can be hidden by title) holding a list. Choosing an item hands it
// back to the combo box; a click elsewhere just closes it.
class ComboWnd : public MWindow {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "ComboWnd";

  explicit ComboWnd(MComboBox* combo);

  // Shows the texts below `anchor` (global rectangle of the combo box).
  void Open(const QStringList& texts, int selected, const QRect& anchor);
  DListBox* GetList() const { return list_; }

 protected:
  void OnCreate() override;
  void OnNotify(int id, int event, intptr_t param, MControl* source) override;
  void OnSize(int width, int height) override;

 private:
  MComboBox* combo_;
  DListBox* list_ = nullptr;
};

}  // namespace DUI
