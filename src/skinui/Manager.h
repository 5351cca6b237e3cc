#pragma once
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace DUI {

class MWindow;

// Process-wide state of the library: where the skins are, the caption that
// names the program, the interface font, and the list of live windows so any
// thread can close or hide an auxiliary window by its title.
// Every function is safe from any thread unless noted.
class Manager {
 public:
  // The application folder that holds "skins/<theme>/". Empty: the folder of
  // the running executable.
  static void SetInstance(const QString& appFolder = QString());
  static QString GetAppFolder();
  // "<app folder>/skins/<theme>/" with the trailing slash.
  static QString GetSkinFolder();

  static void SetDeviceName(const QString& caption);
  static QString GetDeviceName();

  // Name of the skin folder under "skins/"; "default" unless changed.
  static QString GetTheme();
  static void SetTheme(const QString& theme);

  // Interface font family. Changing it repaints every window.
  static void SetFontName(const QString& family);
  static QString GetFontName();
  // Families tried after the interface font, in order, for the characters
  // it lacks (the interface font is often not installed at all).
  static void SetFallbackFonts(const QStringList& families);
  static QStringList GetFallbackFonts();

  // The selection (accent) colour every control highlights with.
  static QColor GetSelectColor();
  static void SetSelectColor(const QColor& colour);

  // Window lookup by title (GUI thread only; the pointer must not be kept).
  static MWindow* FindWindow(const QString& title);
  static QList<MWindow*> GetWindows();

  // End the window's modal run with `result` (or hide it when it is not
  // modal), like a posted close message. Returns the number of windows found.
  static int CloseWindowByTitle(const QString& title, int result = 2);
  // Hide the window (a menu or combo list ends as if nothing was chosen).
  static int HideWindowByTitle(const QString& title);

 private:
  friend class MWindow;
  static void RepaintAll();
  static int ForEachTitled(const QString& title, const std::function<void(MWindow*)>& action);
  static void RegisterWindow(MWindow* window);
  static void UnregisterWindow(MWindow* window);
};

}  // namespace DUI
