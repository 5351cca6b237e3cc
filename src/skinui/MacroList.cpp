#include "skinui/MacroList.h"

namespace DUI {

MacroList::MacroList(QWidget* parent, int id) : DListBox(parent, id) {
  SetEditable(true);
  SetEditImage(QStringLiteral("btn_more.png"));
  SetRowHeight(42);
}

}  // namespace DUI
