// The window tests run real widgets, so they need an application object (with
// Qt's texts in Japanese, as the program has them); the offscreen platform
// lets them run without a display.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/translations.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InstallJapaneseTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
