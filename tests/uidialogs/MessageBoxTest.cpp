#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>

#include "TestHost.h"
#include "i18n/Texts.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MText.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/DialogText.h"

using korvex::CUIMessageBox;

namespace {

// Runs `action` on the open message box once its modal run has started.
void WhenOpen(const std::function<void(CUIMessageBox*)>& action) {
  QTimer::singleShot(0, [action] {
    WaitUntil([] { return VisibleWindows(CUIMessageBox::kTitle) == 1; }, 3000);
    QPointer<CUIMessageBox> box = qobject_cast<CUIMessageBox*>(DUI::Manager::FindWindow(CUIMessageBox::kTitle));
    action(box);
    // A failed check must not leave the modal run waiting for ever.
    QTimer::singleShot(4000, [box] {
      if (box) box->PostMessage(DUI::kMsgClose, 3, 0);
    });
  });
}

void Click(CUIMessageBox* box, int id) {
  ASSERT_NE(box, nullptr);
  auto* button = box->GetControl<DUI::MButton>(id);
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

TEST(MessageBox, OneButtonBoxEndsWithOkAndShowsTheTexts) {
  TestHost host;
  host.show();
  QString title, message, button;
  bool hasSecond = true;
  WhenOpen([&](CUIMessageBox* box) {
    ASSERT_NE(box, nullptr);
    title = box->GetControl<DUI::MText>(CUIMessageBox::kTitleText)->GetTitle();
    message = box->GetControl<DUI::MText>(CUIMessageBox::kMessageText)->GetTitle();
    button = box->GetControl<DUI::MButton>(CUIMessageBox::kButtonOk)->GetTitle();
    hasSecond = box->GetControl(CUIMessageBox::kButtonCancel) != nullptr;
    EXPECT_EQ(box->size(), QSize(430, 230));
    // Centred on its parent.
    EXPECT_LE((box->frameGeometry().center() - host.frameGeometry().center()).manhattanLength(), 2);
    Click(box, CUIMessageBox::kButtonOk);
  });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 576, 57, CUIMessageBox::kTypeOk), 1);
  EXPECT_EQ(title, korvex::DialogText(576));
  EXPECT_EQ(message, korvex::DialogText(57));
  EXPECT_EQ(button, korvex::DialogText(20));
  EXPECT_FALSE(hasSecond);
  EXPECT_EQ(VisibleWindows(CUIMessageBox::kTitle), 0);
}

TEST(MessageBox, TwoButtonBoxGivesOneForOkAndTwoForCancel) {
  TestHost host;
  host.show();
  QString ok, cancel;
  WhenOpen([&](CUIMessageBox* box) {
    ok = box->GetControl<DUI::MButton>(CUIMessageBox::kButtonOk)->GetTitle();
    cancel = box->GetControl<DUI::MButton>(CUIMessageBox::kButtonCancel)->GetTitle();
    Click(box, CUIMessageBox::kButtonOk);
  });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 570, 571, CUIMessageBox::kTypeOkCancel), 1);
  EXPECT_EQ(ok, korvex::DialogText(23));
  EXPECT_EQ(cancel, korvex::DialogText(25));

  WhenOpen([](CUIMessageBox* box) { Click(box, CUIMessageBox::kButtonCancel); });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 570, 571, CUIMessageBox::kTypeOkCancel), 2);

  WhenOpen([](CUIMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 570, 571, CUIMessageBox::kTypeOkCancel), 2);
}

TEST(MessageBox, CloseMessageEndsTheBoxWithItsParameter) {
  TestHost host;
  host.show();
  // Posted directly, as a window would.
  WhenOpen([](CUIMessageBox* box) { box->PostMessage(DUI::kMsgClose, 2, 0); });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 570, 571, CUIMessageBox::kTypeOkCancel), 2);
  // By title, as the device-change handling does; also for a one-button box
  // whose only button would have given 1.
  WhenOpen([](CUIMessageBox*) { DUI::Manager::CloseWindowByTitle(CUIMessageBox::kTitle, 2); });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 576, 57, CUIMessageBox::kTypeOk), 2);
  // A close message without a result counts as Cancel.
  WhenOpen([](CUIMessageBox* box) { box->PostMessage(DUI::kMsgClose, 0, 0); });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 576, 57, CUIMessageBox::kTypeOk), 2);
}

TEST(MessageBox, OtherTypesHaveNoButtonAndEndOnlyByCloseMessage) {
  TestHost host;
  host.show();
  int buttons = -1;
  bool stillOpenAfterEscape = false;
  WhenOpen([&](CUIMessageBox* box) {
    buttons = box->findChildren<DUI::MButton*>().size();
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::qWait(50);
    stillOpenAfterEscape = box->isVisible();
    box->PostMessage(DUI::kMsgClose, 2, 0);
  });
  EXPECT_EQ(CUIMessageBox::ShowMessage(&host, 576, 57, 1), 2);
  EXPECT_EQ(buttons, 0);
  EXPECT_TRUE(stillOpenAfterEscape);
}

TEST(MessageBox, TextsFitInEveryLanguage) {
  TestHost host;
  host.show();
  for (int lcid : kShippedLanguages) {
    UseLanguage(lcid);
    for (int type : {CUIMessageBox::kTypeOk, CUIMessageBox::kTypeOkCancel}) {
      CUIMessageBox box(korvex::DialogText(570), korvex::DialogText(571), type);
      ASSERT_TRUE(box.Create(&host));
      box.show();
      EXPECT_TRUE(CutTexts(&box, 16, {CUIMessageBox::kMessageText}).isEmpty())
          << CutTexts(&box, 16, {CUIMessageBox::kMessageText}).join(", ").toStdString();
      // The wrapped message needs no more lines than its area holds.
      auto* message = box.GetControl<DUI::MText>(CUIMessageBox::kMessageText);
      const QFontMetrics metrics(DUI::MStyle::Font(16));
      const QRect needed = metrics.boundingRect(QRect(0, 0, message->width(), 1000),
                                                Qt::TextWordWrap | Qt::AlignCenter, message->GetTitle());
      EXPECT_LE(needed.height(), message->height());
    }
  }
  korvex::SetCurrentLanguage(1033);
}
