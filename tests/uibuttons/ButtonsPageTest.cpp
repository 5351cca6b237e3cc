// The buttons page against the virtual mouse: each function list, the two
// panels, disable, the guard, the resets and a language change, checked on
// the triples the mouse decoded from the 0x09 report.

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "buttons/ButtonFunctions.h"
#include "protocol/ButtonCommands.h"
#include "sim/DeviceSnapshot.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MouseCtrl.h"
#include "skinui/MouseKeyCtrl.h"
#include "ui/pages/buttons/ButtonsPage.h"
#include "ui/pages/buttons/FirePanel.h"
#include "ui/pages/buttons/KeyCombinationPanel.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

using Triple = std::array<int, 3>;
using Page = ButtonsPage;

struct ButtonsRig {
  explicit ButtonsRig(const std::string& device) : device(device), rig(Options(device)) {}
  static RigOptions Options(const std::string& device) {
    RigOptions o;
    o.devices = device;
    return o;
  }

  // Synchronised and on the buttons page of the only mouse.
  void Ready() {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    page = rig.Window().Buttons();
    ASSERT_NE(page, nullptr);
    ASSERT_GT(page->ButtonList()->GetCount(), 0);
    rig.TakeCommands();
  }
  Triple Slot(int keyCode) {
    sim::DeviceSnapshot s;
    EXPECT_TRUE(rig.Hub().Snapshot(device, s));
    const auto& t = s.slot.buttons[static_cast<std::size_t>(keyCode)];
    return {t.function, t.a, t.b};
  }
  std::vector<std::uint8_t> MacroData(int keyCode) {
    sim::DeviceSnapshot s;
    EXPECT_TRUE(rig.Hub().Snapshot(device, s));
    return s.slot.macros[static_cast<std::size_t>(keyCode)];
  }
  bool HasRow(int keyCode, KeyAssignmentRecord* row = nullptr) {
    KeyAssignmentRecord r;
    const bool found = rig.Store().GetKeyAssignment(rig.Worker().State().currentProfile, 0, keyCode, r);
    if (row) *row = r;
    return found;
  }
  void Select(int index) { rig.Notify(Page::kButtonList, 2, index); }
  void Pick(int listId, int category, int code) {
    rig.Notify(listId, 2, FunctionItemIndex(category, code));
    rig.Settle();
  }
  QString ListDesc(int keyCode) {
    return page->ButtonList()->GetItemDesc(page->ButtonList()->FindItemByKey(keyCode));
  }
  QString PictureDesc(int keyCode) {
    return page->MousePicture()->GetItemDesc(page->MousePicture()->FindItemByKey(keyCode));
  }

  std::string device;
  WindowRig rig;
  ButtonsPage* page = nullptr;
};

TEST(ButtonsPage, EveryFunctionListWritesItsTripleToTheMouse) {
  ButtonsRig b("k1");
  b.rig.Run([&] {
    b.Ready();
    EXPECT_EQ(6, b.page->ButtonList()->GetCount());
    EXPECT_EQ(6, b.page->MousePicture()->GetItemCount());
    b.Select(2);
    EXPECT_EQ(2, b.page->SelectedKey());
    EXPECT_EQ(2, b.page->MousePicture()->GetSelectItem());  // both views on one button

    struct Case {
      int list, category, code;
      Triple triple;
    };
    const Case cases[] = {
        {Page::kMouseList, kMouseFunction, 3, {0x10, 0x02, 0x00}},
        {Page::kMouseList, kMouseFunction, 4, {0x30, 0x32, 0x03}},
        {Page::kMouseList, kMouseFunction, 8, {0x20, 0xFF, 0x00}},
        {Page::kMediaList, kMediaFunction, 8, {0x80, 0xE2, 0x00}},
        {Page::kMediaList, kMediaFunction, 1, {0x80, 0x83, 0x01}},
        {Page::kShortcutList, kSystemShortcut, 9, {0x70, 0x01, 0x06}},
        {Page::kShortcutList, kSystemShortcut, 4, {0x80, 0x94, 0x01}},
        {Page::kDpiList, kDpiFunction, 2, {0x40, 0x03, 0x00}},
        {Page::kSpecialList, kSpecialFunction, 1, {0x60, 0x04, 0x00}},
    };
    for (const Case& c : cases) {
      b.Pick(c.list, c.category, c.code);
      EXPECT_EQ(c.triple, b.Slot(2)) << c.list << " " << c.code;
      KeyAssignmentRecord row;
      ASSERT_TRUE(b.HasRow(2, &row));
      EXPECT_EQ(c.category, row.macro_type);
      EXPECT_EQ(c.code, row.macro_value);
      const QString shown = b.page->List(c.category)->GetText();
      EXPECT_EQ(shown.toStdString(), row.macro_desc);
      EXPECT_EQ(shown, b.ListDesc(2));
      EXPECT_EQ(shown, b.PictureDesc(2));
      EXPECT_TRUE(b.page->List(c.category)->IsMarked());
    }
    // "DPI -" keeps its literal text.
    KeyAssignmentRecord dpi;
    b.Pick(Page::kDpiList, kDpiFunction, 2);
    ASSERT_TRUE(b.HasRow(2, &dpi));
    EXPECT_EQ("DPI -", dpi.macro_desc);

    b.rig.Notify(Page::kDisable);
    b.rig.Settle();
    EXPECT_EQ((Triple{0x60, 0x00, 0x00}), b.Slot(2));
    // Other buttons kept their defaults throughout.
    EXPECT_EQ((Triple{0x10, 0x01, 0x00}), b.Slot(0));
    EXPECT_EQ((Triple{0x10, 0x02, 0x00}), b.Slot(1));
  });
}

TEST(ButtonsPage, AMacroPickUploadsTheMacroBeforeTheButtons) {
  ButtonsRig b("k1");
  b.rig.Run([&] {
    b.Ready();
    SettingsStore& store = b.rig.Store();
    const int macro = store.CreateMacro("Reload");
    MacroEventRecord e;
    e.macro_id = macro;
    e.type = 2;
    e.value = 'R';
    store.InsertMacroEvent(e);
    e.type = 3;
    e.record_index = 1;
    store.InsertMacroEvent(e);
    b.rig.Window().RefreshButtonPage();
    ASSERT_EQ(1, b.page->List(kMacroBinding)->GetCount());
    b.Select(4);
    b.rig.Notify(Page::kMacroList, 2, 0);
    b.rig.Settle();
    EXPECT_EQ((std::vector<int>{0x08, 0x09}), b.rig.TakeCommands());
    EXPECT_EQ((Triple{0x90, 0x24, 0x01}), b.Slot(4));  // slot 4, repeat once
    EXPECT_EQ(9u, b.MacroData(4).size());
    EXPECT_EQ(QStringLiteral("Reload"), b.ListDesc(4));
    // Picked again on another button: the mark is per pick, the data goes again.
    b.Select(3);
    b.rig.Notify(Page::kMacroList, 2, 0);
    b.rig.Settle();
    EXPECT_EQ((std::vector<int>{0x08, 0x09}), b.rig.TakeCommands());
  });
}

void PressKey(QWidget* target, int evdev, Qt::Key key, const QString& text,
              Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, static_cast<quint32>(evdev + 8), 0, 0, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, static_cast<quint32>(evdev + 8), 0, 0, text);
  QCoreApplication::sendEvent(target, &release);
}

TEST(ButtonsPage, KeyCombinationPanelCapturesTheKeyAndTheToggles) {
  ButtonsRig b("k1");
  b.rig.Run([&] {
    b.Ready();
    b.Select(3);
    b.rig.Notify(Page::kKeyOpen);
    ASSERT_TRUE(b.page->KeyPanel().IsOpen());
    auto* field = b.rig.Window().GetControl<DUI::MEdit>(KeyCombinationPanel::kKeyField);
    ASSERT_NE(field, nullptr);
    QLineEdit* editor = field->GetEditor();

    // Keys reach the capture only while the field has the focus.
    PressKey(editor, 30, Qt::Key_A, "a");
    EXPECT_EQ(0, b.page->KeyPanel().CapturedKey());
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(editor, &in);
    EXPECT_EQ(10, b.page->KeyPanel().CaptureMode());

    PressKey(editor, 30, Qt::Key_A, "a");
    EXPECT_EQ(65, b.page->KeyPanel().CapturedKey());
    EXPECT_EQ(QStringLiteral("A"), field->GetTitle());
    PressKey(editor, 42, Qt::Key_Shift, "", Qt::ShiftModifier);  // left Shift: a toggle's job
    EXPECT_EQ(QStringLiteral("A"), field->GetTitle());
    PressKey(editor, 126, Qt::Key_Meta, "");  // right Windows
    EXPECT_EQ(92, b.page->KeyPanel().CapturedKey());
    EXPECT_EQ(QStringLiteral("RWindows"), field->GetTitle());
    PressKey(editor, 71, Qt::Key_Home, "");  // keypad 7, Num Lock off
    EXPECT_EQ(103, b.page->KeyPanel().CapturedKey());
    PressKey(editor, 30, Qt::Key_A, "a");

    b.rig.Notify(KeyCombinationPanel::kToggleShift);
    b.rig.Notify(KeyCombinationPanel::kToggleCtrl);
    b.rig.Notify(KeyCombinationPanel::kOk);
    b.rig.Settle();
    EXPECT_EQ((Triple{0x70, 0x03, 0x04}), b.Slot(3));
    KeyAssignmentRecord row;
    ASSERT_TRUE(b.HasRow(3, &row));
    EXPECT_EQ("Shift+ Ctrl + A", row.macro_desc);
    EXPECT_EQ(QStringLiteral("Shift+ Ctrl + A"), b.ListDesc(3));

    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(editor, &out);
    EXPECT_EQ(0, b.page->KeyPanel().CaptureMode());

    // Alt alone is a combination; nothing at all stores nothing.
    b.rig.Notify(Page::kKeyOpen);
    b.rig.Notify(KeyCombinationPanel::kToggleAlt);
    b.rig.Notify(KeyCombinationPanel::kOk);
    b.rig.Settle();
    EXPECT_EQ((Triple{0x70, 0x04, 0x00}), b.Slot(3));
    ASSERT_TRUE(b.HasRow(3, &row));
    EXPECT_EQ("Alt", row.macro_desc);
    b.rig.TakeCommands();
    b.rig.Notify(Page::kKeyOpen);
    b.rig.Notify(KeyCombinationPanel::kOk);
    b.rig.Settle();
    EXPECT_TRUE(b.rig.TakeCommands().empty());
    ASSERT_TRUE(b.HasRow(3, &row));
    EXPECT_EQ("Alt", row.macro_desc);
  });
}

TEST(ButtonsPage, FireFieldsAreClampedAndStored) {
  ButtonsRig b("k1");
  b.rig.Run([&] {
    b.Ready();
    b.Select(1);
    b.rig.Notify(Page::kFireOpen);
    ASSERT_TRUE(b.page->Fire().IsOpen());
    auto* first = b.rig.Window().GetControl<DUI::MEdit>(FirePanel::kFirst);
    auto* second = b.rig.Window().GetControl<DUI::MEdit>(FirePanel::kSecond);
    EXPECT_EQ(QStringLiteral("5"), first->GetTitle());
    EXPECT_EQ(QStringLiteral("1"), second->GetTitle());
    first->SetTitle(QStringLiteral("2"));
    b.rig.Notify(FirePanel::kFirst, 8);
    EXPECT_EQ(QStringLiteral("5"), first->GetTitle());
    second->SetTitle(QStringLiteral("300"));  // still focused when OK is clicked
    b.rig.Notify(FirePanel::kOk);
    b.rig.Settle();
    EXPECT_EQ((Triple{0x30, 0x05, 0xFF}), b.Slot(1));
    // Coming back to the button shows the panel with the stored numbers.
    b.Select(2);
    EXPECT_FALSE(b.page->Fire().IsOpen());
    b.Select(1);
    EXPECT_TRUE(b.page->Fire().IsOpen());
    EXPECT_EQ(QStringLiteral("255"), second->GetTitle());
  });
}

TEST(ButtonsPage, TheLeftButtonIsRefusedButTheResetsWorkForIt) {
  ButtonsRig b("k1");
  b.rig.Run([&] {
    b.Ready();
    EXPECT_EQ(0, b.page->SelectedKey());
    for (int id : {static_cast<int>(Page::kMouseList), static_cast<int>(Page::kDisable),
                   static_cast<int>(Page::kKeyOpen), static_cast<int>(Page::kFireOpen)}) {
      ModalAnswer refusal("MessageBox", 1);
      b.rig.Notify(id, 2, 1);
      EXPECT_TRUE(refusal.seen) << id;
    }
    b.rig.Settle();
    EXPECT_FALSE(b.page->KeyPanel().IsOpen());
    EXPECT_FALSE(b.page->Fire().IsOpen());
    EXPECT_FALSE(b.HasRow(0));
    EXPECT_TRUE(b.rig.TakeCommands().empty());
    {
      ModalAnswer confirm("MessageBox", 1);
      b.rig.Notify(Page::kResetButton);
      EXPECT_TRUE(confirm.seen);
    }
    b.rig.Settle();
    EXPECT_EQ((std::vector<int>{0x09}), b.rig.TakeCommands());
  });
}

TEST(ButtonsPage, ResetAndResetAllBringBackTheDefaults) {
  ButtonsRig b("k1");
  b.rig.Run([&] {
    b.Ready();
    const QString middleDefault = b.ListDesc(2);
    b.Select(1);
    b.Pick(Page::kMediaList, kMediaFunction, 2);
    b.Select(2);
    b.Pick(Page::kMediaList, kMediaFunction, 3);
    b.Select(5);
    b.rig.Notify(Page::kDisable);
    b.rig.Settle();
    ASSERT_EQ((Triple{0x80, 0xB7, 0x00}), b.Slot(2));

    b.Select(2);
    {
      ModalAnswer cancel("MessageBox", 2);
      b.rig.Notify(Page::kResetButton);
      EXPECT_TRUE(cancel.seen);
    }
    EXPECT_TRUE(b.HasRow(2));
    {
      ModalAnswer ok("MessageBox", 1);
      b.rig.Notify(Page::kResetButton);
    }
    b.rig.Settle();
    EXPECT_FALSE(b.HasRow(2));
    EXPECT_EQ(middleDefault, b.ListDesc(2));
    EXPECT_EQ((Triple{0x10, 0x04, 0x00}), b.Slot(2));
    EXPECT_EQ((Triple{0x80, 0xCD, 0x00}), b.Slot(1));

    {
      ModalAnswer ok("MessageBox", 1);
      b.rig.Notify(Page::kResetAll);
    }
    b.rig.Settle();
    EXPECT_EQ(0, b.page->SelectedKey());
    EXPECT_FALSE(b.HasRow(1));
    EXPECT_FALSE(b.HasRow(5));
    EXPECT_EQ((Triple{0x10, 0x02, 0x00}), b.Slot(1));
    EXPECT_EQ((Triple{0x40, 0x01, 0x00}), b.Slot(5));
  });
}

TEST(ButtonsPage, ALanguageChangeDescribesTheButtonsAnew) {
  ButtonsRig b("k1");
  b.rig.Run([&] {
    b.Ready();
    b.Select(1);
    b.Pick(Page::kMouseList, kMouseFunction, 2);
    const QString chinese = b.ListDesc(1);
    b.Select(2);
    b.rig.Notify(Page::kKeyOpen);
    b.rig.Notify(KeyCombinationPanel::kToggleWin);
    b.rig.Notify(KeyCombinationPanel::kOk);
    b.rig.Window().SetLanguage(1033);
    EXPECT_EQ(QString::fromStdString(GetText(108)), b.ListDesc(1));
    EXPECT_NE(chinese, b.ListDesc(1));
    EXPECT_EQ(QString::fromStdString(GetText(108)), b.PictureDesc(1));
    EXPECT_EQ(QStringLiteral("Win"), b.ListDesc(2));  // combinations keep their text
    EXPECT_EQ(QString::fromStdString(GetText(162)), b.page->ButtonList()->GetItemName(1));
    b.rig.Window().SetLanguage(2052);
  });
}

TEST(ButtonsPage, AModelWithMoreButtonsOffersEveryOne) {
  ButtonsRig b("k5");
  b.rig.Run([&] {
    b.Ready();
    ASSERT_EQ(8, b.page->ButtonList()->GetCount());
    EXPECT_EQ(8, b.page->MousePicture()->GetItemCount());
    // The picture selects as the list does, and the eighth slot is sent.
    b.rig.Notify(Page::kMousePicture, 2, 7);
    EXPECT_EQ(7, b.page->SelectedKey());
    EXPECT_EQ(7, b.page->ButtonList()->GetSelectItem());
    b.Pick(Page::kMouseList, kMouseFunction, 7);
    EXPECT_EQ((Triple{0x20, 0x01, 0x00}), b.Slot(7));
    EXPECT_EQ((Triple{0x00, 0x00, 0x00}), b.Slot(6));
  });
}

}  // namespace
}  // namespace korvex::test
