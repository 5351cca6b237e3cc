// Renders the dialogs, the profile dialog and the settings page to PNG
// files, for looking at them, in English and Simplified Chinese or in the
// languages named (en zh vi ru de fr es it pt ja):
//   uidialogs_shots <output folder> [language,language,...]
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "i18n/Texts.h"
#include "platform/AppIdentity.h"
#include "platform/PreferenceStore.h"
#include "prefs/AppPreferences.h"
#include "profiles/ProfileBootstrap.h"
#include "skinui/MTabLayout.h"
#include "skinui/Manager.h"
#include "store/SettingsStore.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/ProfileDlg.h"
#include "ui/dialogs/SaveWaitDlg.h"
#include "ui/dialogs/UpdateTipDlg.h"
#include "ui/dialogs/WaitDlg.h"
#include "ui/pages/settings/SettingsPage.h"
#include "ui/shell/LanguageFonts.h"
#include "ui/shell/StartupNotices.h"

namespace {

class Host : public DUI::MDialog {
 public:
  Host() { Create(nullptr, QStringLiteral("Host"), 0, QRect(0, 0, 1400, 788)); }
};

QString g_folder;
QString g_language;

// Saves the window over a dark backdrop, so that layered corners show as
// they would over the main window.
void Save(QWidget* window, const QString& name) {
  window->show();
  QTest::qWait(80);
  const QPixmap shot = window->grab();
  QPixmap out(shot.size() + QSize(24, 24));
  out.fill(QColor(0x0B, 0x0D, 0x11));
  QPainter p(&out);
  p.drawPixmap(12, 12, shot);
  p.end();
  out.save(g_folder + "/dialog-" + name + "-" + g_language + ".png");
}

void ShotAll(Host& host, korvex::SettingsStore& store, korvex::AppPreferences& prefs) {
  {
    korvex::CUIMessageBox box(korvex::DialogText(570), korvex::DialogText(571), 4);
    box.Create(&host);
    Save(&box, "messagebox-okcancel");
  }
  {
    korvex::CUIMessageBox box(korvex::DialogText(576), korvex::DialogText(57), 0);
    box.Create(&host);
    Save(&box, "messagebox-ok");
  }
  // The start-up notices: config.xml unreadable, waiting for korvexctl, a
  // database set aside.
  {
    const std::string path = "/opt/korvex/config.xml";
    korvex::CUIMessageBox box(korvex::DialogText(700),
                              QString::fromStdString(korvex::FillText(korvex::GetText(701), korvex::BreakablePath(path))), 0);
    box.Create(&host);
    Save(&box, "notice-config");
  }
  {
    korvex::CUIMessageBox box(korvex::DialogText(702), korvex::DialogText(703), 0);
    box.Create(&host);
    Save(&box, "notice-wait");
  }
  {
    const std::string moved =
        "/home/user/.local/share/Korvex Mouse Files/db/korvex_k3_data1.db.damaged-20261209-141500";
    korvex::CUIMessageBox box(korvex::DialogText(704),
                              QString::fromStdString(korvex::FillText(korvex::GetText(705), korvex::BreakablePath(moved))), 0);
    box.Create(&host);
    Save(&box, "notice-setaside");
  }
  {
    korvex::SaveWaitDlg dlg;
    dlg.Create(&host);
    dlg.show();
    QTest::qWait(60);
    Save(&dlg, "savewait");
  }
  {
    korvex::WaitDlg dlg;
    dlg.Create(&host);
    Save(&dlg, "wait");
  }
  {
    korvex::UpdateTipDlg dlg;
    dlg.Create(&host);
    dlg.ShowUpdateProgress(korvex::DialogText(592), 42);
    Save(&dlg, "updatetip");
  }
  {
    korvex::DPIMsgDlg dlg;
    dlg.Create(nullptr);
    dlg.ShowDpi(3200);
    Save(&dlg, "dpi");
    dlg.hide();
  }
  {
    korvex::AboutDlg dlg(0x105, "1.0.0");
    dlg.Create(&host);
    Save(&dlg, "about");
  }
  {
    korvex::ProfileDlg dlg(store, 2);
    dlg.ShowExchangeButtons(true);  // as the window opens it
    dlg.Create(&host, QRect(200, 300, 230, 205));
    Save(&dlg, "profile");
  }
  {
    Host window;
    auto* container = window.CreateControl<DUI::MTabLayout>(55, QRect(1, 50, 1398, 698));
    korvex::SettingsPage page(&window, container, prefs, {"1.0.0", "https://a", "https://b", "https://c"}, {});
    Save(&window, "settings");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  QApplication app(argc, argv);
  g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(g_folder);
  DUI::Manager::SetInstance(QStringLiteral(KORVEX_SOURCE_DIR "/data"));
  korvex::SetCaption("Korvex Screenshots");
  korvex::SetLanguageFolder(KORVEX_SOURCE_DIR "/data/language/");
  korvex::SetAvailableLanguages({2052, 1033, 1066, 1049, 1031, 1036, 1034, 1040, 2070, 1041});

  korvex::SettingsStore store;
  QDir(home.path()).mkpath("db");
  store.OpenForModel(home.path().toStdString(), "shots");
  Host host;
  host.show();
  const std::string dir = home.path().toStdString();
  korvex::AppPreferences prefs(korvex::PreferenceStore(dir + "/prefs.ini"),
                               korvex::LogonStart(dir + "/autostart/k.desktop", "/usr/bin/korvex", "Korvex"));
  prefs.LoadShowTips();
  prefs.LoadBatteryNotice();
  const std::map<QString, int> codes{{"en", 1033}, {"zh", 2052}, {"vi", 1066}, {"ru", 1049}, {"de", 1031},
                                     {"fr", 1036}, {"es", 1034}, {"it", 1040}, {"pt", 2070}, {"ja", 1041}};
  const QStringList wanted = argc > 2 ? QString::fromLocal8Bit(argv[2]).split(',') : QStringList{"en", "zh"};
  for (const QString& code : wanted) {
    if (!codes.count(code)) continue;
    const int lcid = codes.at(code);
    korvex::SetCurrentLanguage(lcid);
    DUI::Manager::SetFallbackFonts(korvex::LanguageFonts(lcid));
    g_language = code;
    // A database of its own per language: profiles are named when created.
    store.OpenForModel(home.path().toStdString(), "shots-" + code.toStdString());
    korvex::BootstrapProfiles(store, korvex::GetText(61));
    ShotAll(host, store, prefs);
  }
  return 0;
}
