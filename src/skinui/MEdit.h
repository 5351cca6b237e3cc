#pragma once
#include "skinui/MControlFont.h"

class QLineEdit;

namespace DUI {

// A key as a key-capturing edit field saw it (see MEdit::SetKeyCapture).
struct KeyInfo {
  int qtKey = 0;                // Qt::Key
  quint32 nativeVirtualKey = 0; // the window system's key code (X11 keysym)
  quint32 nativeScanCode = 0;
  quint32 nativeModifiers = 0;
  int modifiers = 0;            // Qt::KeyboardModifiers
  QString text;                 // the text the key produces, if any
  bool release = false;
  bool autoRepeat = false;
};

// A one-line edit field; the title is its text. Safe from any thread.
// Events (param 0 unless noted):
//   kEventEditChanged (29) the user changed the text
//   kEventClick (2)        Enter pressed
//   kEventSetFocus (7), kEventKillFocus (8)
//   kEventKeyDown (40), kEventKeyUp (41) in key-capture mode; param = Qt key,
//                          details in GetLastKey()
class MEdit : public MControlFont {
  Q_OBJECT

 public:
  MEdit(QWidget* parent, int id);

  void SetTitle(const QString& text) override;  // no notification
  void SetLimitText(int characters);
  // Only the digits of typed or pasted text are kept.
  void SetNumberOnly(bool on);
  void SetReadOnly(bool on);
  void SetPlaceholder(const QString& text);
  void SetImage(const QString& background);
  // Keys are not typed into the field but reported one by one (the key
  // assignment and macro key fields); the field shows what SetTitle gives it.
  void SetKeyCapture(bool on);
  KeyInfo GetLastKey() const;
  void SetFocus();   // any thread
  void SelectAll();  // any thread
  QLineEdit* GetEditor() const { return editor_; }  // GUI thread

  void OnSkinChanged() override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  // The user typed: `text` is what the field holds now. The default filters
  // digits in number-only mode, stores the text and reports 29.
  virtual void OnTextEdited(const QString& text);
  // Applies the number-only rule to typed text and stores it; returns it.
  QString KeepText(const QString& text);
  virtual void OnEnter();
  virtual void OnFocusChanged(bool in);
  void ApplyLook();
  bool NumberOnly() const;

 private:
  QLineEdit* editor_ = nullptr;
  QString image_;
  bool numberOnly_ = false;
  bool keyCapture_ = false;
  KeyInfo lastKey_;
};

}  // namespace DUI
