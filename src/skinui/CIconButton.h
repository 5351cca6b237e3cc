#pragma once
#include "skinui/MButton.h"

namespace DUI {

// A button with an icon left of its text (the profile and record buttons).
// Event: kEventClick (2), param 0.
class CIconButton : public MButton {
  Q_OBJECT

 public:
  CIconButton(QWidget* parent, int id);

  void SetIcon(const QString& name);
  QString GetIcon() const;
  void SetIconSize(int pixels);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString icon_;
  int iconSize_ = 18;
};

}  // namespace DUI
