#pragma once
// The home page: the list of the devices found (one card per model present)
// with a short message above it. Choosing a card is the window's device
// selection.

#include <QObject>
#include <vector>

class QWidget;

namespace DUI {
class CDeviceList;
class MPicture;
class MText;
class MWindow;
}  // namespace DUI

namespace korvex {

struct DeviceListItem;

class HomePage : public QObject {
  Q_OBJECT

 public:
  enum ControlId { kDeviceList = 56, kMessagePicture = 57, kMessage = 58 };
  enum Text { kTextFirmwareCaption = 15, kTextMessage = 56 };

  HomePage(DUI::MWindow* window, QWidget* container);

  // The models of config.xml, in file order.
  void LoadDevices(const std::vector<DeviceListItem>& models);
  void ApplyTexts();
  void Layout();

  DUI::CDeviceList* List() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QWidget* container_;
  DUI::CDeviceList* list_ = nullptr;
  DUI::MPicture* picture_ = nullptr;
  DUI::MText* message_ = nullptr;
};

}  // namespace korvex
