#include "skinui/MEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

QString DigitsOf(const QString& text) {
  QString digits;
  for (QChar c : text)
    if (c.isDigit() && c.unicode() < 128) digits.append(c);
  return digits;
}

}  // namespace

MEdit::MEdit(QWidget* parent, int id) : MControlFont(parent, id) {
  editor_ = new QLineEdit(this);
  editor_->setFrame(false);
  editor_->setAttribute(Qt::WA_MacShowFocusRect, false);
  editor_->installEventFilter(this);
  setFocusProxy(editor_);
  setCursor(Qt::IBeamCursor);
  connect(editor_, &QLineEdit::textEdited, this, [this](const QString& text) { OnTextEdited(text); });
  connect(editor_, &QLineEdit::returnPressed, this, [this] { OnEnter(); });
  ApplyLook();
}

void MEdit::SetTitle(const QString& text) {
  MControlFont::SetTitle(text);
  OnGui([this, text] {
    if (editor_->text() != text) editor_->setText(text);
  });
}

void MEdit::SetLimitText(int characters) {
  OnGui([this, characters] { editor_->setMaxLength(characters > 0 ? characters : 32767); });
}

void MEdit::SetNumberOnly(bool on) {
  QMutexLocker lock(&mutex_);
  numberOnly_ = on;
}

bool MEdit::NumberOnly() const {
  QMutexLocker lock(&mutex_);
  return numberOnly_;
}

void MEdit::SetReadOnly(bool on) {
  OnGui([this, on] { editor_->setReadOnly(on); });
}

void MEdit::SetPlaceholder(const QString& text) {
  OnGui([this, text] { editor_->setPlaceholderText(text); });
}

void MEdit::SetImage(const QString& background) {
  {
    QMutexLocker lock(&mutex_);
    image_ = background;
  }
  Refresh();
}

void MEdit::SetKeyCapture(bool on) {
  {
    QMutexLocker lock(&mutex_);
    keyCapture_ = on;
  }
  OnGui([this, on] { editor_->setContextMenuPolicy(on ? Qt::NoContextMenu : Qt::DefaultContextMenu); });
}

KeyInfo MEdit::GetLastKey() const {
  QMutexLocker lock(&mutex_);
  return lastKey_;
}

void MEdit::SetFocus() {
  OnGui([this] { editor_->setFocus(Qt::OtherFocusReason); });
}

void MEdit::SelectAll() {
  OnGui([this] { editor_->selectAll(); });
}

void MEdit::OnSkinChanged() {
  ApplyLook();
  MControlFont::OnSkinChanged();
}

void MEdit::ApplyLook() {
  editor_->setFont(TitleFont());
  editor_->setAlignment(TextAlign());
  QPalette pal = editor_->palette();
  pal.setColor(QPalette::Base, Qt::transparent);
  pal.setColor(QPalette::Text, GetTextColor());
  pal.setColor(QPalette::PlaceholderText, MStyle::TextDim());
  pal.setColor(QPalette::Highlight, MStyle::Accent());
  pal.setColor(QPalette::HighlightedText, MStyle::Window());
  pal.setColor(QPalette::Disabled, QPalette::Text, MStyle::TextDisabled());
  editor_->setPalette(pal);
}

void MEdit::paintEvent(QPaintEvent*) {
  // Font, colour and alignment may have been changed from another thread.
  if (editor_->font() != TitleFont() || editor_->alignment() != TextAlign()) ApplyLook();
  QString image;
  {
    QMutexLocker lock(&mutex_);
    image = image_;
  }
  QPainter p(this);
  const QPixmap bk = MRender::LoadImage(image);
  const bool focused = editor_->hasFocus();
  if (!bk.isNull()) {
    MRender::DrawImage(p, bk, rect());
  } else {
    MRender::DrawPanel(p, QRectF(rect()), MStyle::kRadius, isEnabled() ? MStyle::Window() : MStyle::Panel(),
                       focused ? MStyle::Accent() : (IsHovered() && isEnabled() ? MStyle::TextDim() : MStyle::Border()));
  }
  if (focused && !bk.isNull()) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(MStyle::Accent(), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), MStyle::kRadius, MStyle::kRadius);
  }
}

void MEdit::resizeEvent(QResizeEvent* e) {
  MControlFont::resizeEvent(e);
  editor_->setGeometry(rect().adjusted(10, 2, -10, -2));
}

void MEdit::OnTextEdited(const QString& text) {
  KeepText(text);
  Notify(kEventEditChanged, 0);
}

QString MEdit::KeepText(const QString& text) {
  QString kept = text;
  if (NumberOnly()) {
    kept = DigitsOf(text);
    if (kept != text) {
      const int cursor = std::max(0, int(editor_->cursorPosition()) - int(text.size() - kept.size()));
      editor_->setText(kept);
      editor_->setCursorPosition(cursor);
    }
  }
  MControlFont::SetTitle(kept);
  return kept;
}

void MEdit::OnEnter() { Notify(kEventClick, 0); }

void MEdit::OnFocusChanged(bool in) {
  update();
  Notify(in ? kEventSetFocus : kEventKillFocus, 0);
}

bool MEdit::eventFilter(QObject* watched, QEvent* e) {
  if (watched != editor_) return MControlFont::eventFilter(watched, e);
  switch (e->type()) {
    case QEvent::FocusIn:
      OnFocusChanged(true);
      break;
    case QEvent::FocusOut:
      OnFocusChanged(false);
      break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      bool capture;
      {
        QMutexLocker lock(&mutex_);
        capture = keyCapture_;
      }
      if (!capture) break;
      if (e->type() == QEvent::ShortcutOverride) {
        e->accept();  // every key comes to the field, shortcuts included
        return true;
      }
      auto* key = static_cast<QKeyEvent*>(e);
      KeyInfo info;
      info.qtKey = key->key();
      info.nativeVirtualKey = key->nativeVirtualKey();
      info.nativeScanCode = key->nativeScanCode();
      info.nativeModifiers = key->nativeModifiers();
      info.modifiers = int(key->modifiers());
      info.text = key->text();
      info.release = e->type() == QEvent::KeyRelease;
      info.autoRepeat = key->isAutoRepeat();
      {
        QMutexLocker lock(&mutex_);
        lastKey_ = info;
      }
      Notify(info.release ? kEventKeyUp : kEventKeyDown, info.qtKey);
      return true;
    }
    default:
      break;
  }
  return MControlFont::eventFilter(watched, e);
}

}  // namespace DUI
