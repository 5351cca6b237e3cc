#include "skinui/GuiThread.h"

namespace DUI {

bool GuiThread::IsCurrent() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace DUI
