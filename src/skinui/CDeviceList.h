#pragma once
#include <QVector>

#include "skinui/MControlFont.h"

namespace DUI {

// The home page's device list: one card per device type with the model's
// picture and name, connection mode, battery and firmware version. Models are
// added once; a card is shown while its device is present (SetDeviceState)
// and dimmed while present but offline (a receiver whose mouse is off).
// Every function is safe from any thread.
// Event: kEventClick (2), param = device type of the clicked card.
class CDeviceList : public MControlFont {
  Q_OBJECT

 public:
  CDeviceList(QWidget* parent, int id);

  void ClearList();
  // `image` is the picture's full path (or a skin name).
  void AddDevice(const QString& name, int type, const QString& image);
  int GetDeviceCount() const;  // models added

  // 0 removes every card from view; any other value shows every model as
  // present with that online state.
  void SetAllDeviceState(int state);
  // mode 0 cable, 1 receiver; online 0 or 1. Makes the card present.
  void SetDeviceState(int type, int mode, int online);
  void SetDeviceBattery(int type, int state, int level);
  // HID release number (0x105 shows as "v1.05").
  void SetDeviceVersion(int type, int release);
  bool IsDevicePresent(int type) const;
  int GetDeviceMode(int type) const;  // -1 when unknown
  int GetOnlineDevCount() const;
  int GetPresentDevCount() const;

  // Selects `type` when it is present, otherwise the first present device
  // (online ones first); returns the selected type, 0 when none is present.
  int SetSelectDevice(int type);
  int GetSelectDevice() const;

  void SetBkImage(const QString& name);  // card background
  void SetModeImage(const QString& name);  // strip of 2: cable, receiver
  void SetBatteryImages(const QString& background, const QString& value, const QString& charge);
  void SetVersionCaption(const QString& caption);

  // "v1.05" for release 0x105: the first hex digit, a point and the last two
  // (short numbers are padded to three digits first).
  static QString FormatVersion(int release);
  // Where the card of `type` is drawn; empty when not shown. GUI thread.
  QRect GetCardRect(int type) const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  struct Entry {
    QString name;
    int type = 0;
    QString image;
    bool present = false;
    int mode = 0;
    int online = 0;
    int batteryState = 0;
    int batteryLevel = 0;
    int release = -1;
  };

  Entry* Find(int type);
  const Entry* Find(int type) const;
  QVector<QPair<int, QRect>> Cards() const;  // (type, rect) of shown cards
  int TypeAt(const QPoint& pos) const;
  void PaintCard(QPainter& p, const Entry& e, const QRect& r, bool selected, bool hover) const;

  QVector<Entry> entries_;
  int selected_ = 0;
  int hoverType_ = 0;
  int pressType_ = 0;
  QString bkImage_;
  QString modeImage_;
  QString batteryBk_, batteryValue_, batteryCharge_;
  QString versionCaption_ = QStringLiteral("Firmware");
};

}  // namespace DUI
