#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace DUI {

class MControl;

// Creates a control from its class name, for windows built from tables.
class ControlFactory {
 public:
  // nullptr for an unknown name. The control is not shown yet.
  static MControl* Create(const QString& className, QWidget* parent, int id);
  static QStringList ClassNames();
};

}  // namespace DUI
