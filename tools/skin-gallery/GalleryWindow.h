#pragma once
#include "skinui/MDialog.h"

// One window holding every control of the library, filled with sample data
// the way the pages will use them.
class GalleryWindow : public DUI::MDialog {
  Q_OBJECT

 public:
  GalleryWindow() = default;

 protected:
  void OnCreate() override;

 private:
  void BuildFrame();
  void BuildPerformance();
  void BuildOptions();
  void BuildButtons();
  void BuildLighting();
  void BuildDevices();
  void BuildMacros();
  QWidget* Panel(int id, const QRect& rect, const QString& title);
};
