#pragma once
#include "skinui/MControl.h"

namespace DUI {

// A picture of the skin. Backgrounds stretch with their corners kept
// (kNineSlice, the default); photos and logos use kFit or kCenter.
class MPicture : public MControl {
  Q_OBJECT

 public:
  enum DrawMode { kNineSlice, kStretch, kFit, kCenter };

  MPicture(QWidget* parent, int id);

  void SetImage(const QString& name);
  QString GetImage() const;
  void SetDrawMode(DrawMode mode);
  // Corner size kept unscaled in kNineSlice; -1 picks one from the picture.
  void SetImageMargin(int margin);
  // The picture's own size (GUI thread); empty when it is missing.
  QSize GetImageSize() const;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString image_;
  DrawMode mode_ = kNineSlice;
  int margin_ = -1;
};

}  // namespace DUI
