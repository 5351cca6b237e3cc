#pragma once
// A main-window stand-in for the dialog tests: it records the window
// messages it receives and hands control notifications to a callback.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QList>
#include <QTest>
#include <functional>

#include "skinui/Events.h"
#include "skinui/MControlFont.h"
#include "skinui/MDialog.h"
#include "skinui/MStyle.h"
#include "skinui/Manager.h"
#include "i18n/Texts.h"
#include "ui/shell/LanguageFonts.h"

class TestHost : public DUI::MDialog {
 public:
  struct Message {
    int message;
    intptr_t wParam;
    intptr_t lParam;
  };

  explicit TestHost(const QRect& rect = QRect(200, 100, 1400, 788)) {
    Create(nullptr, QStringLiteral("TestHost"), 0, rect);
  }

  QList<Message> messages;
  std::function<void(int, int, intptr_t)> onNotify;
  std::function<void(const Message&)> onMessage;

 protected:
  bool OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) override {
    if (message == DUI::kMsgClose) return MDialog::OnWindowMessage(message, wParam, lParam);
    messages.append({message, wParam, lParam});
    if (onMessage) onMessage(messages.last());
    return true;
  }
  void OnNotify(int id, int event, intptr_t param, DUI::MControl*) override {
    if (onNotify) onNotify(id, event, param);
  }
};

// Runs the event loop until `done` holds or `ms` have passed.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QTest::qWait(5);
  }
  return true;
}

// Every language the program ships, in the order the settings page offers.
inline constexpr int kShippedLanguages[] = {2052, 1033, 1066, 1049, 1031, 1036, 1034, 1040, 2070, 1041};

// Makes `lcid` current with the fonts the window uses for it.
inline void UseLanguage(int lcid) {
  korvex::SetCurrentLanguage(lcid);
  DUI::Manager::SetFallbackFonts(korvex::LanguageFonts(lcid));
}

// Visible windows of the library with that title.
inline int VisibleWindows(const QString& title) {
  int count = 0;
  for (DUI::MWindow* w : DUI::Manager::GetWindows())
    if (w->GetTitle() == title && w->isVisible()) ++count;
  return count;
}

// The text controls of `root` whose one-line text (in a bold face, to be on
// the safe side) needs more than their width less `padding`; their ids and
// texts, for the failure message. `skip`: wrapped texts.
inline QStringList CutTexts(QWidget* root, int padding, const QList<int>& skip = {}) {
  QStringList cut;
  for (DUI::MControlFont* c : root->findChildren<DUI::MControlFont*>()) {
    if (c->isHidden() || c->GetTitle().isEmpty() || skip.contains(c->GetId())) continue;
    const QFontMetrics metrics(DUI::MStyle::Font(c->GetFontSize(), true));
    if (metrics.horizontalAdvance(c->GetTitle()) + padding > c->width())
      cut << QStringLiteral("%1 \"%2\"").arg(c->GetId()).arg(c->GetTitle());
  }
  return cut;
}
