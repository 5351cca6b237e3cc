#pragma once
#include <cstdint>

#include "skinui/MControl.h"

namespace DUI {

// A colour swatch (0x00BBGGRR). Swatches sharing a group name form one
// selection: selecting one releases the others (group names are
// process-wide). Safe from any thread; setters never notify.
// Event: kEventClick (2), param = the swatch's colour; the swatch becomes
// selected first.
class CColorButton : public MControl {
  Q_OBJECT

 public:
  CColorButton(QWidget* parent, int id);
  ~CColorButton() override;

  void SetColor(uint32_t colourRef);
  uint32_t GetColor() const;
  void SetGroup(const QString& group);
  QString GetGroup() const;
  void SetSelect(bool selected);  // selecting releases the rest of the group
  bool GetSelect() const;
  // Releases every swatch of the group.
  static void UnselectGroup(const QString& group);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  void SetSelectOnly(bool selected);

  uint32_t colour_ = 0xFFFFFF;
  QString group_;
  bool selected_ = false;
};

}  // namespace DUI
