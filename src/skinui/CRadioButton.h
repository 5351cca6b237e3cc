#pragma once
#include "skinui/CCheckButton.h"

namespace DUI {

// A radio button. Buttons that share a group name are exclusive: checking
// one unchecks the others at once (group names are process-wide). Safe from
// any thread; SetCheck never notifies.
// Event: kEventClick (2), param 1, when the user clicks it (also when it
// was already checked).
class CRadioButton : public CCheckButton {
  Q_OBJECT

 public:
  CRadioButton(QWidget* parent, int id);
  ~CRadioButton() override;

  void SetGroup(const QString& group);
  QString GetGroup() const;
  // Checking unchecks the rest of the group.
  void SetCheck(bool checked) override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void Toggle() override;

 private:
  QString group_;
};

}  // namespace DUI
