#include "ui/pages/home/HomePage.h"

#include <QEvent>
#include <algorithm>

#include "catalogue/DeviceModelEntry.h"
#include "skinui/CDeviceList.h"
#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "ui/UiText.h"

namespace korvex {

HomePage::HomePage(DUI::MWindow* window, QWidget* container) : QObject(container), container_(container) {
  picture_ = window->CreateControl<DUI::MPicture>(kMessagePicture, QRect(), container);
  picture_->SetImage(QStringLiteral("img_area3.png"));
  message_ = window->CreateControl<DUI::MText>(kMessage, QRect(), container);
  message_->SetFontSize(18);
  message_->SetTextAlign(Qt::AlignCenter);
  message_->SetMultiLine(true);
  list_ = window->CreateControl<DUI::CDeviceList>(kDeviceList, QRect(), container);
  list_->SetBkImage(QStringLiteral("area_device.png"));
  list_->SetModeImage(QStringLiteral("device_mode.png"));
  list_->SetBatteryImages(QStringLiteral("icon/icon_battery_bkg.png"),
                          QStringLiteral("icon/icon_batteryvalue.png"),
                          QStringLiteral("icon/icon_charge.png"));
  ApplyTexts();
  container->installEventFilter(this);
  Layout();
}

void HomePage::LoadDevices(const std::vector<DeviceListItem>& models) {
  list_->ClearList();
  for (const DeviceListItem& m : models)
    list_->AddDevice(QString::fromStdString(m.name), m.deviceType, QString::fromStdString(m.imagePath));
}

void HomePage::ApplyTexts() {
  message_->SetTitle(UiText(kTextMessage));
  list_->SetVersionCaption(UiText(kTextFirmwareCaption));
}

void HomePage::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  const double scale = std::max(0.5, (h + 130) / 788.0);
  // The message sits above the list, which fills the rest of the page.
  const int messageWidth = std::min(w - 80, int(760 * scale));
  // Room for two lines of the message.
  const int messageHeight = std::max(68, int(68 * scale));
  const QRect message((w - messageWidth) / 2, int(8 * scale), messageWidth, messageHeight);
  picture_->SetRect(message);
  message_->SetRect(message.adjusted(16, 0, -16, 0));
  const int listTop = message.bottom() + int(16 * scale);
  list_->SetRect(QRect(40, listTop, std::max(0, w - 80), std::max(0, h - listTop - 50)));
}

bool HomePage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  return QObject::eventFilter(watched, e);
}

}  // namespace korvex
