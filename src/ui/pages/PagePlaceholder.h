#pragma once
// An editing page whose contents are not built yet: its background, caption
// bar and title, so the tab shows a tidy, titled panel.

#include <QObject>

class QWidget;

namespace DUI {
class MPicture;
class MText;
class MWindow;
}  // namespace DUI

namespace korvex {

struct PlaceholderIds {
  int background;
  int caption;
  int title;
  int titleText;
};

class PagePlaceholder : public QObject {
  Q_OBJECT

 public:
  // The identifiers the finished pages give their background, caption bar
  // and title.
  static constexpr PlaceholderIds kButtons{59, 60, 61, 100};
  static constexpr PlaceholderIds kPerformance{106, 107, 108, 250};
  static constexpr PlaceholderIds kMacros{147, 148, 149, 350};
  static constexpr PlaceholderIds kLighting{189, 190, 191, 265};

  PagePlaceholder(DUI::MWindow* window, QWidget* container, const PlaceholderIds& ids);

  void ApplyTexts();
  void Layout();
  int TitleText() const { return ids_.titleText; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QWidget* container_;
  PlaceholderIds ids_;
  DUI::MPicture* background_ = nullptr;
  DUI::MPicture* caption_ = nullptr;
  DUI::MPicture* content_ = nullptr;
  DUI::MText* title_ = nullptr;
};

}  // namespace korvex
