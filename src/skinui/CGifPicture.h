#pragma once
#include "skinui/MControl.h"

class QMovie;

namespace DUI {

// An animated picture (the busy indicator's "loading.gif"). Plays while
// visible; without a readable animation it paints a spinning arc instead.
class CGifPicture : public MControl {
  Q_OBJECT

 public:
  CGifPicture(QWidget* parent, int id);

  void SetImage(const QString& name);  // any thread
  void Play();                         // any thread
  void Stop();                         // any thread
  bool IsPlaying() const;              // GUI thread
  int GetFrameCount() const;           // GUI thread; 0 without an animation

 protected:
  void paintEvent(QPaintEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  QMovie* movie_ = nullptr;
  bool wanted_ = true;  // playing unless stopped
  int spinTimer_ = 0;
  int angle_ = 0;
};

}  // namespace DUI
