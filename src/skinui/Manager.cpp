#include "skinui/Manager.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QPixmapCache>

#include "skinui/Events.h"
#include "skinui/GuiThread.h"
#include "skinui/MWindow.h"

namespace DUI {
namespace {

struct State {
  QMutex mutex;
  QString appFolder;
  QString theme = QStringLiteral("default");
  QString caption;
  QString fontName = QStringLiteral("Open Sans Semibold");
  QStringList fallbackFonts;
  QColor accent = QColor(0x1F, 0xD2, 0xFF);
  QList<MWindow*> windows;
};

State& GetState() {
  static State state;
  return state;
}

QString WithSlash(QString path) {
  if (!path.isEmpty() && !path.endsWith('/')) path += '/';
  return path;
}

}  // namespace

void Manager::SetInstance(const QString& appFolder) {
  QString folder = appFolder;
  if (folder.isEmpty() && QCoreApplication::instance() != nullptr)
    folder = QCoreApplication::applicationDirPath();
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  s.appFolder = WithSlash(QDir::cleanPath(folder));
}

QString Manager::GetAppFolder() {
  State& s = GetState();
  {
    QMutexLocker lock(&s.mutex);
    if (!s.appFolder.isEmpty()) return s.appFolder;
  }
  if (QCoreApplication::instance() == nullptr) return QString();
  return WithSlash(QCoreApplication::applicationDirPath());
}

QString Manager::GetSkinFolder() {
  return GetAppFolder() + QStringLiteral("skins/") + GetTheme() + '/';
}

void Manager::SetDeviceName(const QString& caption) {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  s.caption = caption;
}

QString Manager::GetDeviceName() {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  return s.caption;
}

QString Manager::GetTheme() {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  return s.theme;
}

void Manager::SetTheme(const QString& theme) {
  State& s = GetState();
  {
    QMutexLocker lock(&s.mutex);
    if (s.theme == theme || theme.isEmpty()) return;
    s.theme = theme;
  }
  // Pictures of the old theme must not be served from the cache.
  if (GuiThread::IsCurrent()) QPixmapCache::clear();
}

void Manager::SetFontName(const QString& family) {
  State& s = GetState();
  {
    QMutexLocker lock(&s.mutex);
    if (s.fontName == family) return;
    s.fontName = family;
  }
  RepaintAll();
}

void Manager::SetFallbackFonts(const QStringList& families) {
  State& s = GetState();
  {
    QMutexLocker lock(&s.mutex);
    if (s.fallbackFonts == families) return;
    s.fallbackFonts = families;
  }
  RepaintAll();
}

QStringList Manager::GetFallbackFonts() {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  return s.fallbackFonts;
}

QString Manager::GetFontName() {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  return s.fontName;
}

QColor Manager::GetSelectColor() {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  return s.accent;
}

void Manager::SetSelectColor(const QColor& colour) {
  State& s = GetState();
  {
    QMutexLocker lock(&s.mutex);
    s.accent = colour;
  }
  RepaintAll();
}

void Manager::RepaintAll() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  GuiThread::Run(app, [] {
    for (MWindow* w : GetWindows()) w->ApplySkin();
  });
}

MWindow* Manager::FindWindow(const QString& title) {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  for (MWindow* w : s.windows)
    if (w->GetTitle() == title) return w;
  return nullptr;
}

QList<MWindow*> Manager::GetWindows() {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  return s.windows;
}

int Manager::CloseWindowByTitle(const QString& title, int result) {
  return ForEachTitled(title, [result](MWindow* w) { w->PostMessage(kMsgClose, result, 0); });
}

int Manager::HideWindowByTitle(const QString& title) {
  return ForEachTitled(title, [](MWindow* w) { w->ShowWindow(kShowHide); });
}

int Manager::ForEachTitled(const QString& title, const std::function<void(MWindow*)>& action) {
  int found = 0;
  {
    State& s = GetState();
    QMutexLocker lock(&s.mutex);  // keeps every listed window alive meanwhile
    for (MWindow* w : s.windows)
      if (w->GetTitle() == title) ++found;
  }
  // The windows are looked up again on the GUI thread, where none of them can
  // be destroyed while the action runs.
  QCoreApplication* app = QCoreApplication::instance();
  if (found == 0 || app == nullptr) return found;
  GuiThread::Run(app, [title, action] {
    QList<QPointer<MWindow>> matches;
    for (MWindow* w : GetWindows())
      if (w->GetTitle() == title) matches.append(w);
    for (const QPointer<MWindow>& w : matches)
      if (w) action(w);
  });
  return found;
}

void Manager::RegisterWindow(MWindow* window) {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  if (!s.windows.contains(window)) s.windows.append(window);
}

void Manager::UnregisterWindow(MWindow* window) {
  State& s = GetState();
  QMutexLocker lock(&s.mutex);
  s.windows.removeAll(window);
}

}  // namespace DUI
