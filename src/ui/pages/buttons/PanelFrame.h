#pragma once
// The frame both panels of the buttons page share: background, title and
// close button, laid out over the page's function column.

#include <QRect>
#include <QWidget>
#include <algorithm>

#include "skinui/CImageButton.h"
#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"

namespace korvex {

constexpr int kTextPanelOk = 38;
constexpr int kPanelPad = 20;
constexpr int kPanelTitleHeight = 48;
constexpr int kPanelRowHeight = 36;
constexpr int kPanelCaptionHeight = 26;
constexpr int kPanelCloseSize = 24;
constexpr int kPanelOkWidth = 120;

inline void BuildPanelFrame(DUI::MWindow* window, QWidget* panel, int background, int title, int close,
                            DUI::MPicture*& backgroundOut, DUI::MText*& titleOut,
                            DUI::CImageButton*& closeOut) {
  backgroundOut = window->CreateControl<DUI::MPicture>(background, QRect(), panel);
  backgroundOut->SetImage(QStringLiteral("img_area_content.png"));
  titleOut = window->CreateControl<DUI::MText>(title, QRect(), panel);
  titleOut->SetFontSize(16);
  titleOut->SetFontBold(true);
  closeOut = window->CreateControl<DUI::CImageButton>(close, QRect(), panel);
  closeOut->SetImage(QStringLiteral("btn_close.png"));
}

inline void LayoutPanelFrame(QWidget* panel, const QRect& rect, DUI::MPicture* background, DUI::MText* title,
                             DUI::CImageButton* close) {
  panel->setGeometry(rect);
  background->SetRect(QRect(0, 0, rect.width(), rect.height()));
  title->SetRect(QRect(kPanelPad, 0, std::max(0, rect.width() - 2 * kPanelPad - kPanelCloseSize),
                       kPanelTitleHeight));
  close->SetRect(QRect(rect.width() - kPanelPad - kPanelCloseSize, (kPanelTitleHeight - kPanelCloseSize) / 2,
                       kPanelCloseSize, kPanelCloseSize));
}

inline QRect PanelOkRect(const QRect& rect) {
  return QRect(rect.width() - kPanelPad - kPanelOkWidth, rect.height() - kPanelPad - kPanelRowHeight,
               kPanelOkWidth, kPanelRowHeight);
}

}  // namespace korvex
