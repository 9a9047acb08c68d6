// The picture of the window in the README. Skipped unless
// HORUNE_WINDOW_PICTURE names the PNG to write: the demo drawing with the
// demo table, computed, as a user sees it.
#include <gtest/gtest.h>

#include <QFile>
#include <QPixmap>

#include "ui/qt/mainwindow.h"
#include "windowtest.h"

namespace {

class Picture : public WindowTest {};

TEST_F(Picture, OfTheDemo) {
  const QString out = qEnvironmentVariable("HORUNE_WINDOW_PICTURE");
  if (out.isEmpty()) GTEST_SKIP() << "HORUNE_WINDOW_PICTURE not set";
  const QString demo = QStringLiteral(HORUNE_SOURCE_DIR "/demo/");
  ASSERT_TRUE(QFile::copy(demo + "JWC_TEMP.TXT", folder.JwcTempPath()));
  ASSERT_TRUE(QFile::copy(demo + "sample.dlist", folder.SettingsPath()));
  Start();
  form->move(0, 0);
  form->resize(660, 539);
  form->Form().ComputeOutline();
  ASSERT_TRUE(form->grab().save(out, "PNG"));
}

}  // namespace
