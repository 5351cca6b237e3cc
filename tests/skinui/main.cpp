#include <gtest/gtest.h>

#include <QApplication>

#include "skinui/Manager.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  DUI::Manager::SetInstance(QStringLiteral(KORVEX_SOURCE_DIR "/data"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
