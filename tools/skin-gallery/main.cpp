// korvex-skin-gallery <out folder> [app folder]
// Builds the gallery window offscreen (or on screen with a display) and saves
// skinui-gallery.png plus the pop-ups (combo list, menu) next to it.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "GalleryWindow.h"
#include "skinui/ComboWnd.h"
#include "skinui/DListBox.h"
#include "skinui/MComboBox.h"
#include "skinui/Manager.h"
#include "skinui/MenuWnd.h"

namespace {

bool Save(QWidget* w, const QString& path) {
  const bool ok = w->grab().save(path);
  std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  DUI::Manager::SetInstance(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(KORVEX_DATA_DIR));
  DUI::Manager::SetDeviceName(QStringLiteral("Korvex Mouse"));
  DUI::Manager::SetFontName(QStringLiteral("DejaVu Sans"));
  QDir().mkpath(out);

  GalleryWindow gallery;
  gallery.Create(nullptr, QStringLiteral("Korvex Mouse"), 0, QRect(0, 0, 1600, 1060));
  gallery.CenterWindow();
  bool ok = true;
  QTimer::singleShot(300, [&] {
    ok &= Save(&gallery, out + "/skinui-gallery.png");
    auto* combo = gallery.GetControl<DUI::MComboBox>(117);
    combo->ShowDropDown();
    QTimer::singleShot(150, [&, combo] {
      if (auto* popup = DUI::Manager::FindWindow(QStringLiteral("ComboWnd"))) ok &= Save(popup, out + "/skinui-combo.png");
      DUI::Manager::HideWindowByTitle(QStringLiteral("ComboWnd"));
      DUI::MenuWnd menu;
      menu.AddItem(100, QStringLiteral("Move to top"));
      menu.AddItem(101, QStringLiteral("Move up"));
      menu.AddSeparator();
      menu.AddItem(102, QStringLiteral("Move down"), false);
      menu.AddItem(103, QStringLiteral("Move to bottom"));
      QTimer::singleShot(150, [&] {
        ok &= Save(&menu, out + "/skinui-menu.png");
        menu.EndModal(0);
      });
      menu.TrackPopupMenu(combo->mapToGlobal(QPoint(0, 40)), &gallery);
      gallery.DoOK();
    });
  });
  gallery.ShowModal(1);
  return ok ? 0 : 1;
}
