// The Qt window's wiring of the preview's navigation and of the table's
// editing: real keys, clicks, wheel notches and drags on the offscreen
// platform reach TForm1 and its answers reach the screen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "app/tform1.h"
#include "common/sjis.h"
#include "preview/gval.h"
#include "ui/qt/distancegrid.h"
#include "ui/qt/distancemodel.h"
#include "ui/qt/previewbox.h"
#include "ui/qt/sjislineedit.h"
#include "windowtest.h"

namespace {

class Wiring : public WindowTest {
 protected:
  void SetUp() override { folder.WriteHostFile(); }

  void Wheel(QWidget* target, QPoint at, int delta) {
    QWheelEvent e(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
  }
};

TEST_F(Wiring, NavigationKeysActInAnEditAndArrowsMoveTheTableCursor) {
  Start();
  form->Edit1->setText(QStringLiteral("12"));
  form->Edit1->setCursorPosition(2);
  const double scale = Gval.ViewScale;
  QTest::keyClick(form->Edit1, Qt::Key_PageUp);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, scale * 2);
  const double minX = Gval.ViewMinX;
  QTest::keyClick(form->Edit1, Qt::Key_Left);
  EXPECT_LT(Gval.ViewMinX, minX);
  // The edit never saw the key: its cursor stays at the end.
  EXPECT_EQ(form->Edit1->cursorPosition(), 2);

  ClickCell(2, 1);
  QTest::keyClick(form->StringGrid1, Qt::Key_Down);
  EXPECT_EQ(form->StringGrid1->currentIndex().row(), 1);
  EXPECT_DOUBLE_EQ(Gval.ViewMinX, minX - (Gval.ViewMaxX - Gval.ViewMinX) / 2);
}

TEST_F(Wiring, TheWheelAndBothButtonDragsZoomThePreview) {
  Start();
  form->PaintBox1->grab();
  const double scale = Gval.ViewScale;
  Wheel(form->PaintBox1, QPoint(50, 50), -120);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, scale * 2);
  Wheel(form->PaintBox1, QPoint(50, 50), 120);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, scale);

  QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20),
                    form->PaintBox1->mapToGlobal(QPointF(20, 20)), Qt::RightButton,
                    Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(form->PaintBox1, &press);
  QTest::mouseMove(form->PaintBox1, QPoint(120, 60));
  QMouseEvent move(QEvent::MouseMove, QPointF(120, 60),
                   form->PaintBox1->mapToGlobal(QPointF(120, 60)), Qt::NoButton,
                   Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(form->PaintBox1, &move);
  EXPECT_TRUE(form->Form().Preview.BandShown);
  QTest::mouseRelease(form->PaintBox1, Qt::RightButton, Qt::NoModifier, QPoint(120, 60));
  EXPECT_FALSE(form->Form().Preview.BandShown);
  EXPECT_GT(Gval.ViewScale, scale);
}

TEST_F(Wiring, ALongRedrawGoesOnInTheEventLoopAndEscStopsIt) {
  Start();
  form->PaintBox1->grab();
  TForm1& f = form->Form();
  // Every slice stops at its first chance, as on a drawing far too large
  // for one.
  f.Preview.RedrawSlice = {};
  QTest::keyClick(form->Edit1, Qt::Key_Home);
  ASSERT_TRUE(f.Preview.RedrawPending());
  for (int i = 0; i < 1000 && f.Preview.RedrawPending(); ++i) QTest::qWait(1);
  EXPECT_FALSE(f.Preview.RedrawPending());

  QTest::keyClick(form->Edit1, Qt::Key_Home);
  ASSERT_TRUE(f.Preview.RedrawPending());
  f.Preview.ViewBitmap.reset();
  QTest::keyClick(form->Edit1, Qt::Key_Escape);
  EXPECT_FALSE(f.Preview.RedrawPending());
  EXPECT_TRUE(f.Preview.ViewBitmap);
}

TEST_F(Wiring, TypedDigitsAreNeverLostToAClickOnTheCurrentCell) {
  Start();
  for (const char* typed : {"12010.4", "456789"}) {
    ClickCell(2, 1);
    QTest::qWait(500);
    ClickCell(2, 1);
    // Each key goes where the focus is then: the first one opens the editor.
    for (const char c : std::string(typed)) {
      QTest::keyClick(QApplication::focusWidget(), c, Qt::NoModifier, 60);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::qWait(600);
    EXPECT_EQ(form->Form().Cells().Cell(2, 1), typed);
  }
}

TEST_F(Wiring, TheRowNumbersStayInSightWhenTheCellsScroll) {
  Start();
  DistanceGrid* grid = form->StringGrid1;
  grid->horizontalHeader()->resizeSection(4, 600);
  QApplication::processEvents();
  grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
  ASSERT_GT(grid->horizontalScrollBar()->value(), 0);
  EXPECT_TRUE(grid->verticalHeader()->isVisible());
  EXPECT_GT(grid->verticalHeader()->width(), 0);
  EXPECT_EQ(grid->model()->headerData(0, Qt::Vertical).toString(), "3");
}

TEST_F(Wiring, TypingAtStartUpReplacesTheSavedValue) {
  WriteLines(folder.SettingsPath(), {"0", "0", "475", "475", "", "15000", "0"});
  Start();
  Type("9");
  EXPECT_EQ(form->Edit1->text(), "9");
}

TEST_F(Wiring, NothingOfAFileDialogStaysBehind) {
  Start();
  WriteLines(folder.Path("site.dlist"), {"0"});
  WhenDialogOpens([this](QWidget* dialog) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    if (name == nullptr || buttons == nullptr) {
      ADD_FAILURE() << "not the file dialog the window uses";
      static_cast<QDialog*>(dialog)->reject();
      return;
    }
    // The path as typed, whole: typed key by key, the completion list may
    // come up midway and take keys, depending on how fast the folder was
    // read. The list is up when the user confirms, so it is asked for.
    name->setText(QtPath(folder.Path("site.dlist")));
    if (QCompleter* completer = name->completer()) completer->complete();
    for (QAbstractButton* b : buttons->buttons()) {
      if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole) b->click();
    }
  });
  QTest::mouseClick(form->Button4, Qt::LeftButton);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(w != form.get() && w->isVisible()) << w->metaObject()->className();
  }
}

}  // namespace
