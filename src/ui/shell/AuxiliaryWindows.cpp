#include "ui/shell/AuxiliaryWindows.h"

#include <QString>

#include "skinui/MDialog.h"
#include "skinui/Manager.h"

namespace korvex {

int CloseAuxiliaryWindows() {
  int count = 0;
  for (const char* title : kClosedAuxiliaryTitles)
    count += DUI::Manager::CloseWindowByTitle(QString::fromLatin1(title), DUI::MDialog::kCancel);
  for (const char* title : kHiddenAuxiliaryTitles)
    count += DUI::Manager::HideWindowByTitle(QString::fromLatin1(title));
  return count;
}

}  // namespace korvex
