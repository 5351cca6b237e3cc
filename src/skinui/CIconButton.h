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
  // What the button shows of `text` in `room` pixels: the text itself when
  // it fits, else the text elided.
  static QString ShownText(const QFont& font, const QString& text, int room);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString icon_;
  int iconSize_ = 18;
};

}  // namespace DUI
