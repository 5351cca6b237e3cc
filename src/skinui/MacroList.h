#pragma once
#include "skinui/DListBox.h"

namespace DUI {

// The macro list: a DListBox whose entries are renamed in place through the
// edit mark of the selected row ("btn_more.png" unless changed) and which
// reports right clicks for its context menu. Item data = macro id.
// Events: 2 selected, 5 right click, 29 renamed, 30 arrow keys (param = row).
class MacroList : public DListBox {
  Q_OBJECT

 public:
  MacroList(QWidget* parent, int id);
};

}  // namespace DUI
