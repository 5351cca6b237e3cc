#pragma once
#include "skinui/MControlFont.h"

namespace DUI {

// The frame's connection text: a status light, the connection icon and the
// text (no device / by cable / through the receiver). Safe from any thread.
class CDeviceState : public MControlFont {
  Q_OBJECT

 public:
  enum Mode { kNone = -1, kWired = 0, kReceiver = 1 };

  CDeviceState(QWidget* parent, int id);

  void SetImage(const QString& background);
  // kNone dims the light and hides the icon.
  void SetMode(int mode);
  int GetMode() const;
  // Icons of the two connection modes (skin names).
  void SetModeIcons(const QString& wired, const QString& receiver);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString background_;
  QString wiredIcon_ = QStringLiteral("icon/icon_wired.png");
  QString receiverIcon_ = QStringLiteral("icon/icon_receiver.png");
  int mode_ = kNone;
};

}  // namespace DUI
