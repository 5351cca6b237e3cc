#include "ui/pages/PagePlaceholder.h"

#include <QEvent>
#include <algorithm>

#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "ui/UiText.h"

namespace korvex {
namespace {

constexpr int kCaptionHeight = 50;
constexpr int kMargin = 24;

}  // namespace

PagePlaceholder::PagePlaceholder(DUI::MWindow* window, QWidget* container, const PlaceholderIds& ids)
    : QObject(container), container_(container), ids_(ids) {
  background_ = window->CreateControl<DUI::MPicture>(ids.background, QRect(), container);
  background_->SetImage(QStringLiteral("img_area_bkg.png"));
  caption_ = window->CreateControl<DUI::MPicture>(ids.caption, QRect(), container);
  caption_->SetImage(QStringLiteral("img_area_caption.png"));
  // The content area the finished page fills; no identifier of its own.
  content_ = window->CreateControl<DUI::MPicture>(0, QRect(), container);
  content_->SetImage(QStringLiteral("img_area_content.png"));
  title_ = window->CreateControl<DUI::MText>(ids.title, QRect(), container);
  title_->SetFontSize(18);
  title_->SetFontBold(true);
  ApplyTexts();
  container->installEventFilter(this);
  Layout();
}

void PagePlaceholder::ApplyTexts() { title_->SetTitle(UiText(ids_.titleText)); }

void PagePlaceholder::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  background_->SetRect(QRect(0, 0, w, h));
  caption_->SetRect(QRect(0, 0, w, kCaptionHeight));
  title_->SetRect(QRect(kMargin, 0, std::max(0, w - 2 * kMargin), kCaptionHeight));
  content_->SetRect(QRect(kMargin, kCaptionHeight + kMargin, std::max(0, w - 2 * kMargin),
                          std::max(0, h - kCaptionHeight - 2 * kMargin)));
}

bool PagePlaceholder::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  return QObject::eventFilter(watched, e);
}

}  // namespace korvex
