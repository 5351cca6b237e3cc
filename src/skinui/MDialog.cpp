#include "skinui/MDialog.h"

#include <QKeyEvent>

#include "skinui/GuiThread.h"

namespace DUI {

MDialog::MDialog() = default;

void MDialog::DoOK() {
  GuiThread::Run(this, [this] {
    OnOK();
    EndModal(kOK);
  });
}

void MDialog::DoCancel() {
  GuiThread::Run(this, [this] {
    OnCancel();
    EndModal(kCancel);
  });
}

void MDialog::keyPressEvent(QKeyEvent* e) {
  if (escapeCancels_ && e->key() == Qt::Key_Escape) {
    DoCancel();
    return;
  }
  MWindow::keyPressEvent(e);
}

}  // namespace DUI
