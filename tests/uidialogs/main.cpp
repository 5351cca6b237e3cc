#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "i18n/Texts.h"
#include "platform/AppIdentity.h"
#include "skinui/Manager.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Preferences, autostart entries and databases of the run stay in a
  // folder of their own.
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
  QApplication app(argc, argv);
  DUI::Manager::SetInstance(QStringLiteral(KORVEX_SOURCE_DIR "/data"));
  korvex::SetCaption("Korvex Dialog Tests");
  korvex::SetLanguageFolder(KORVEX_SOURCE_DIR "/data/language/");
  korvex::SetAvailableLanguages({2052, 1033, 1066, 1049, 1031, 1036, 1034, 1040, 2070, 1041});
  korvex::SetCurrentLanguage(1033);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
