// The pictures of the window in the README. Skipped unless
// HORUNE_WINDOW_PICTURE names the PNG to write: the demo drawing with the
// demo table, computed, as a user sees it. Beside it go the demo drawing as
// it opens, with the host's texts ("-start"), and the outline zoomed in on
// point 1, where the number labels can be read ("-zoomed").
#include <gtest/gtest.h>

#include <QFile>
#include <QPixmap>
#include <QTest>
#include <algorithm>

#include "exchange/store.h"
#include "ui/qt/mainwindow.h"
#include "windowtest.h"

namespace {

class Picture : public WindowTest {};

TEST_F(Picture, OfTheDemo) {
  const QString out = qEnvironmentVariable("HORUNE_WINDOW_PICTURE");
  if (out.isEmpty()) GTEST_SKIP() << "HORUNE_WINDOW_PICTURE not set";
  const QString demo = QStringLiteral(HORUNE_SOURCE_DIR "/demo/");
  ASSERT_TRUE(QFile::copy(demo + "JWC_TEMP.TXT", QtPath(folder.JwcTempPath())));
  ASSERT_TRUE(QFile::copy(demo + "sample.dlist", QtPath(folder.SettingsPath())));
  const auto beside = [&out](const char* suffix) {
    return QString(out).replace(QStringLiteral(".png"), QString::fromLatin1(suffix) + ".png");
  };
  Start();
  form->move(0, 0);
  form->resize(660, 539);
  QTest::qWait(300);  // the resize settles and the preview is drawn anew
  ASSERT_TRUE(form->grab().save(beside("-start"), "PNG"));
  form->Form().ComputeOutline();
  ASSERT_TRUE(form->grab().save(out, "PNG"));
  form->Form().Preview.ZoomToBox(-20, -15, 60, 40);  // preview units: the demo is at 1:100
  ASSERT_TRUE(form->grab().save(beside("-zoomed"), "PNG"));
}

}  // namespace

// The window with the site's area under the table and the area table drawn
// beside the outline: HORUNE_AREA_PICTURE names the PNG; "-table" beside it
// holds the 三斜法 drawing zoomed in on its table.
TEST_F(Picture, OfTheArea) {
  const QString out = qEnvironmentVariable("HORUNE_AREA_PICTURE");
  if (out.isEmpty()) GTEST_SKIP() << "HORUNE_AREA_PICTURE not set";
  const QString demo = QStringLiteral(HORUNE_SOURCE_DIR "/demo/");
  ASSERT_TRUE(QFile::copy(demo + "JWC_TEMP.TXT", QtPath(folder.JwcTempPath())));
  ASSERT_TRUE(QFile::copy(demo + "sample.dlist", QtPath(folder.SettingsPath())));
  Start();
  form->move(0, 0);
  form->resize(660, 539);
  QTest::qWait(300);
  form->Form().Area.Table = true;
  form->Form().ComputeOutline();
  form->Form().Preview.FitView();
  ASSERT_TRUE(form->grab().save(out, "PNG"));
  form->Form().Area.Method = TAreaMethod::BaseHeight;
  form->Form().ComputeOutline();
  // The table's grid: the lines right of the outline, in preview units.
  double left = 1e300, right = -1e300, top = -1e300, bottom = 1e300;
  for (const TJwwEntLine& l : JwwStore.Lines) {
    if (l.X1 <= 15500) continue;  // the demo's outline ends there
    left = std::min(left, l.X1), right = std::max(right, l.X2);
    top = std::max(top, l.Y1), bottom = std::min(bottom, l.Y2);
  }
  const double scale = JwwStore.GroupScale[JwwStore.Current.LayerGroup];
  const double margin = (right - left) / 20;
  form->Form().Preview.ZoomToBox((left - margin) / scale, (bottom - 4 * margin) / scale,
                         (right + margin) / scale, (top + margin) / scale);
  ASSERT_TRUE(form->grab().save(
      QString(out).replace(QStringLiteral(".png"), QStringLiteral("-table.png")), "PNG"));
}
