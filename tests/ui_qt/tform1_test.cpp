// The window driven as a user drives it: start-up, computation, the
// preview and the answer file left for the host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/formcontrols.h"
#include "app/formtexts.h"
#include "common/sjis.h"
#include "exchange/store.h"
#include "preview/gval.h"
#include "ui/qt/distancegrid.h"
#include "ui/qt/distancemodel.h"
#include "ui/qt/infopage.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/previewbox.h"
#include "ui/qt/sjislineedit.h"
#include "windowtest.h"

namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;

std::vector<std::pair<double, double>> StoredPoints() {
  std::vector<std::pair<double, double>> out;
  for (const TJwwEntPoint& p : JwwStore.Points) out.emplace_back(p.X, p.Y);
  return out;
}

::testing::Matcher<std::pair<double, double>> Near(double x, double y) {
  return ::testing::Pair(::testing::DoubleNear(x, 1e-9), ::testing::DoubleNear(y, 1e-9));
}

std::vector<std::string> StoredTexts() {
  std::vector<std::string> out;
  for (const TJwwEntText& t : JwwStore.Texts) out.push_back(t.Text);
  return out;
}

class StartUp : public WindowTest {};

// What the settings file and the host's mode say reaches the widgets; the
// form's own reading of them is tested without a toolkit.
TEST_F(StartUp, ShowsTheBoundsModeAndEditsOfTheSettings) {
  const struct {
    bool settings;
    QRect bounds;
    QString title;
    QString edit1;
  } cases[] = {{false, QRect(0, 0, 475, 475), QStringLiteral("ホルネ【実寸モード】"), ""},
               {true, QRect(100, 80, 600, 400), QStringLiteral("ホルネ【図寸モード】"), "10"}};
  for (const auto& c : cases) {
    folder.WriteHostFile(c.settings);
    std::filesystem::remove(folder.SettingsPath());
    if (c.settings) WriteLines(folder.SettingsPath(), {"100", "80", "600", "400", "", "10"});
    MainWindow& f = Start();
    EXPECT_EQ(QRect(f.pos(), f.size()), c.bounds);
    EXPECT_EQ(f.windowTitle(), c.title);
    EXPECT_EQ(f.LabelA1->text(),
              QStringLiteral("【画面操作】マウス左ドラッグ／ペンでの拡大縮小移動が出来ます"));
    EXPECT_EQ(f.Edit1->text(), c.edit1);
    EXPECT_EQ(QApplication::focusWidget(), f.Edit1);
    form.reset();
  }
}

TEST_F(StartUp, KeepsTheWindowWithinItsLimitsAndOnScreen) {
  struct Case {
    const char* left;
    const char* top;
    const char* width;
    const char* height;
    QRect want;
  };
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  for (const Case& c :
       {Case{"30", "40", "100", "50", QRect(30, 40, 475, 200)},
        Case{"50000", "50000", "500", "300", QRect(screen.topLeft(), QSize(500, 300))},
        Case{"-2147483648", "0", "475", "475", QRect(screen.topLeft(), QSize(475, 475))},
        Case{"0", "0", "2147483647", "2147483647", screen}}) {
    WriteLines(folder.SettingsPath(), {c.left, c.top, c.width, c.height});
    MainWindow& f = Start();
    EXPECT_EQ(QRect(f.pos(), f.size()), c.want) << c.left;
    form.reset();
  }
}

TEST_F(StartUp, ComponentsStandWhereDesigned) {
  MainWindow& f = Start();
  struct Place {
    QWidget* widget;
    int x, y, w, h;  // in the parent; h -1 where the design leaves the height open
  };
  // The default window of 475 x 475: Panel2 docked right, as wide as the
  // table's default columns need, the info strip and the status line docked
  // at the bottom, the preview takes what is left; the site's area under the
  // table.
  const int p2 = f.Panel2->width();
  EXPECT_GE(p2, 244);
  EXPECT_EQ(f.StringGrid1->horizontalScrollBar()->maximum(), 0) << "every column in sight";
  const Place places[] = {
      {f.PaintBox1, 0, 0, 475 - p2, 386},
      {f.LabelA1, 0, 386, 475, 24},
      {f.ScrollBox1, 0, 410, 475, 65},
      {f.Panel2, 475 - p2, 0, p2, 386},
      {f.Panel3, 0, 0, p2, 56},
      {f.StringGrid1, 0, 56, p2, 183},
      {f.LabelArea, 475 - p2, 239, p2, 32},
      {f.Panel4, 0, 271, p2, 115},
      {f.Edit1, 80, 28, 41, 21},
      {f.Edit2, 160, 28, 49, 21},
      {f.Button3, 144, 0, 49, 25},
      {f.Button4, 192, 0, 25, 25},
      {f.Button5, 216, 0, 25, 25},
      {f.Memo1, 0, 0, 241, 89},
      {f.Button1, 0, 90, 97, 25},
      {f.Button2, 104, 90, 137, 25},
  };
  for (const Place& p : places) {
    const QRect g = p.widget->geometry();
    EXPECT_EQ(g, QRect(p.x, p.y, p.w, p.h < 0 ? g.height() : p.h))
        << p.widget->objectName().toStdString();
  }

  struct Caption {
    QWidget* widget;
    QString text;
    QPoint at;
  };
  const Caption captions[] = {
      {f.Label1, QStringLiteral("点1：原点（基準点）"), {8, 8}},
      {f.Label2, QStringLiteral("点2：距離"), {8, 32}},
      {f.Label3, QStringLiteral("角度"), {128, 32}},
      {f.Label4, QStringLiteral("°"), {216, 32}},
      {f.Button3, QStringLiteral("クリア"), {144, 0}},
      {f.Button4, QStringLiteral("開"), {192, 0}},
      {f.Button5, QStringLiteral("保"), {216, 0}},
      {f.Button1, QStringLiteral("ＯＫ(&Y)"), {0, 90}},
      {f.Button2, QStringLiteral("キャンセル(&N)"), {104, 90}},
  };
  for (const Caption& c : captions) {
    const QString text = qobject_cast<QLabel*>(c.widget)
                             ? qobject_cast<QLabel*>(c.widget)->text()
                             : qobject_cast<QPushButton*>(c.widget)->text();
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(c.widget->pos(), c.at) << c.text.toStdString();
  }

  // What the design draws in colour, and the controls no Tab key reaches
  // (a click still does).
  EXPECT_EQ(f.palette().color(QPalette::Window), QColor(Qt::white));
  for (QWidget* panel : {static_cast<QWidget*>(f.Panel2), static_cast<QWidget*>(f.Panel3),
                         static_cast<QWidget*>(f.Panel4)}) {
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(255, 251, 240));
  }
  EXPECT_EQ(f.LabelA1->palette().color(QPalette::Window), QColor(231, 231, 231));
  EXPECT_EQ(f.LabelA1->alignment(), Qt::AlignCenter);
  EXPECT_EQ(f.Memo1->palette().color(QPalette::Base), QColor(187, 235, 244));
  EXPECT_TRUE(f.Memo1->isReadOnly());
  for (QWidget* w : {static_cast<QWidget*>(f.Button3), static_cast<QWidget*>(f.Button4),
                     static_cast<QWidget*>(f.Button5), static_cast<QWidget*>(f.Memo1)}) {
    EXPECT_EQ(w->focusPolicy(), Qt::ClickFocus) << w->objectName().toStdString();
  }
  EXPECT_EQ(f.font().pixelSize(), 13);
  EXPECT_EQ(f.StringGrid1->font().pixelSize(), 12);
  EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(StartUp, MemoHoldsTheHelpTextLineByLine) {
  MainWindow& f = Start();
  const QStringList lines = f.Memo1->toPlainText().split(QLatin1Char('\n'));
  EXPECT_EQ(lines.size(), 33);
  // Spot checks at the ends and around the empty lines and the side rule.
  EXPECT_EQ(lines.value(0), QStringLiteral("※作図は、現在の"));
  EXPECT_EQ(lines.value(4), QString());
  EXPECT_EQ(lines.value(9), QStringLiteral("　相手点1→相手点2の"));
  EXPECT_EQ(lines.value(10), QStringLiteral("　　0：線の上側"));
  EXPECT_EQ(lines.value(11), QStringLiteral("　　1：線の下側"));
  EXPECT_EQ(lines.value(18), QString());
  EXPECT_EQ(lines.value(32), QStringLiteral("　「許可」を選択して下さい。"));
}

TEST_F(StartUp, ShowsTheTableHeadersAndRowLabels) {
  MainWindow& f = Start();
  const DistanceModel& m = *f.StringGrid1Cells;
  QStringList headers;
  for (int c = 0; c < m.columnCount(); ++c) headers << m.headerData(c, Qt::Horizontal).toString();
  EXPECT_EQ(headers, QStringList({"相手点1", "距離", "相手点2", "距離", "向き"}));
  EXPECT_EQ(m.rowCount(), 9998);
  EXPECT_EQ(m.headerData(0, Qt::Vertical).toString(), "3");
  EXPECT_EQ(m.headerData(9997, Qt::Vertical).toString(), "10000");
}

TEST_F(StartUp, PointTwoEditsTakeNoInputMethod) {
  MainWindow& f = Start();
  for (SjisLineEdit* e : {f.Edit1, f.Edit2}) {
    EXPECT_FALSE(e->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(e->inputMethodHints() & Qt::ImhLatinOnly);
  }
}

TEST_F(StartUp, ResizingBelowTheLeastSizeSnapsBack) {
  MainWindow& f = Start();
  f.resize(300, 100);
  EXPECT_EQ(f.size(), QSize(475, 200));
  EXPECT_EQ(f.Form().WinWidth, 475);
  EXPECT_EQ(f.Form().WinHeight, 200);
}

// Wherever the settings put the window (nowhere, within the screen, past
// it), its show, sizes and their settling begin no redraw but the one of
// the first picture.
TEST_F(StartUp, DrawsTheFirstPictureWithOneRedraw) {
  WriteLines(folder.JwcTempPath(), LongHostFile(400));
  for (const std::vector<std::string>& settings : std::vector<std::vector<std::string>>{
           {}, {"0", "0", "700", "500"}, {"0", "0", "2147483647", "2147483647"}}) {
    std::filesystem::remove(folder.SettingsPath());
    if (!settings.empty()) WriteLines(folder.SettingsPath(), settings);
    form = std::make_unique<MainWindow>(QtPath(folder.ProgramPath()));
    TForm1& f = form->Form();
    // A slice after every tenth line.
    f.Preview.RedrawSlice = {};
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.Preview.ViewBitmap && !f.Preview.RedrawPending(); }));
    QTest::qWait(2 * kResizeSettleMs);
    EXPECT_EQ(f.Preview.RedrawsBegun, 1) << settings.size();
    form.reset();
  }
}

// Takes the place of the system browser.
class UrlCatcher : public QObject {
  Q_OBJECT

 public slots:
  void Open(const QUrl& url) { opened = url; }

 public:
  QUrl opened;
};

TEST_F(StartUp, TheInfoStripLinkOpensTheGuideBesideTheProgram) {
  MainWindow& f = Start();
  UrlCatcher viewer;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
  const QTextCursor link = f.WebBrowser1->document()->find(QString::fromUtf8(GuideLinkText()));
  ASSERT_FALSE(link.isNull());
  QTextCursor inside(f.WebBrowser1->document());
  inside.setPosition(link.selectionStart() + 2);
  QTest::mouseClick(f.WebBrowser1->viewport(), Qt::LeftButton, Qt::NoModifier,
                    f.WebBrowser1->cursorRect(inside).center());
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  EXPECT_EQ(viewer.opened.fileName(), QString::fromUtf8(GuideFileName()));
  EXPECT_EQ(std::filesystem::path(viewer.opened.toLocalFile().toStdString()).parent_path(),
            f.Form().ProgramFolder);
}

class Computation : public WindowTest {
 protected:
  void SetUp() override { folder.WriteHostFile(); }
};

TEST_F(Computation, LeavingAPointTwoEditComputes) {
  Start();
  Type("10");
  Tab();
  EXPECT_THAT(StoredPoints(), ElementsAre(Near(0, 0), Near(10, 0)));
  EXPECT_EQ(QApplication::focusWidget(), form->Edit2);
  Type("90");
  Tab();
  EXPECT_THAT(StoredPoints(), ElementsAre(Near(0, 0), Near(0, 10)));
  EXPECT_THAT(StoredTexts(), ElementsAre("1", "2"));
  EXPECT_EQ(form->Form().Outline.LineCount, 1);
  EXPECT_EQ(form->Form().Outline.PointCount, 2);
  EXPECT_EQ(form->Form().Outline.TextCount, 2);
}

// Enter commits the cell and moves down, as on Windows and in a spreadsheet;
// moving to the next row computes with what was typed.
TEST_F(Computation, EnterInACellCommitsAndMovesDown) {
  Start();
  Type("10");
  Tab();
  EnterTable();
  TypeCells({"1", "6", "2", "8"});
  Type("0");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(form->Form().Cells().Cell(5, 1), "0");
  EXPECT_EQ(form->StringGrid1->currentIndex().row(), 1);
  EXPECT_EQ(form->StringGrid1->currentIndex().column(), 4);
  EXPECT_EQ(JwwStore.Points.size(), 3u);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(form->StringGrid1->currentIndex().row(), 2) << "without an editor too";
}

TEST_F(Computation, ChangingRowsComputesWithTheTypedCell) {
  Start();
  Type("10");
  Tab();
  EnterTable();
  TypeCells({"1", "6", "2", "8"});
  // Still in row 1: nothing computed beyond point 2.
  EXPECT_EQ(JwwStore.Points.size(), 2u);
  Type("0");
  Tab();  // the last cell of the row: on to row 2
  EXPECT_THAT(StoredPoints(), ElementsAre(Near(0, 0), Near(10, 0), Near(3.6, 4.8)));
  EXPECT_EQ(form->Form().Cells().Cell(5, 1), "0");
  ASSERT_EQ(JwwStore.Lines.size(), 3u);
  EXPECT_DOUBLE_EQ(JwwStore.Lines[2].X1, 10.0);

  // The side flag typed while the editor is open counts when the row changes.
  ClickCell(5, 1);
  Type("1");
  ClickCell(2, 3);
  EXPECT_EQ(form->Form().Cells().Cell(5, 1), "1");
  EXPECT_THAT(StoredPoints(), ElementsAre(Near(0, 0), Near(10, 0), Near(3.6, -4.8)));
}

TEST_F(Computation, CirclesThatDoNotMeetShowErrorAndLaterRowsGoOn) {
  Start();
  Type("10");
  Tab();
  TypeRows({{"1", "2", "2", "3", "0"}, {"1", "6", "2", "8", "1"}});
  const QModelIndex shown = form->StringGrid1Cells->index(0, 4);
  EXPECT_EQ(form->StringGrid1Cells->data(shown).toString(), QStringLiteral("エラー"));
  EXPECT_EQ(form->StringGrid1Cells->data(shown, Qt::EditRole).toString(), QStringLiteral("0"));
  EXPECT_THAT(StoredPoints(), ElementsAre(Near(0, 0), Near(10, 0), Near(3.6, -4.8)));
  EXPECT_THAT(StoredTexts(), ElementsAre("1", "2", "4"));
}

TEST_F(Computation, RefusesTextShiftJisCannotHold) {
  Start();
  TypeChar(form->Edit1, QStringLiteral("한"));
  TypeChar(form->Edit1, QStringLiteral("１"));  // taken, as its half-width digit
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("1"));

  ClickCell(2, 1);
  Type(QStringLiteral("12"));
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, form->StringGrid1);
  TypeChar(editor, QStringLiteral("😀"));
  TypeChar(editor, QStringLiteral("㎡"));
  Tab();
  EXPECT_EQ(form->Form().Cells().Cell(2, 1), Sjis("12㎡"));
}

TEST_F(Computation, PastedValuesLoseTheirLineBreakAndTwoLinesAreRefused) {
  // A single value copied from a spreadsheet comes with a line break; every
  // text still ends up as one line of the settings file.
  Start();
  const struct {
    QString pasted;
    QString want;
  } cases[] = {{QStringLiteral("15000\n"), QStringLiteral("15000")},
               {QStringLiteral("12.5\r\n"), QStringLiteral("12.5")},
               {QStringLiteral("6\r\n8"), QStringLiteral("68")},
               {QStringLiteral("6\n8\n"), QString()}};
  for (const auto& c : cases) {
    QApplication::clipboard()->setText(c.pasted);
    form->Edit1->clear();
    form->Edit1->paste();
    EXPECT_EQ(form->Edit1->text(), c.want) << c.pasted.toStdString();

    ClickCell(2, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->clear();
    editor->paste();
    Tab();
    EXPECT_EQ(form->Form().Cells().Cell(2, 1), c.want.toStdString()) << c.pasted.toStdString();
  }
}

TEST_F(Computation, TheTableSwitchesTheNavigationKeys) {
  Start();
  // PageUp zooms the preview where the view keys act, and is the table's
  // own key inside it.
  const auto zooms = [] {
    const double before = Gval.ViewScale;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    return Gval.ViewScale != before;
  };
  EXPECT_TRUE(zooms());
  ClickCell(1, 1);
  EXPECT_FALSE(zooms());
  ClickCell(1, 1);
  Type("1");  // the cell editor takes the focus, still inside the table
  EXPECT_FALSE(zooms());
  form->Edit2->setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(zooms());
}

class AnswerFile : public WindowTest {
 protected:
  void SetUp() override { folder.WriteHostFile(); }
};

// OK by its button or by Alt+Y closes the window, answers and keeps the
// settings.
TEST_F(AnswerFile, OkClosesTheWindowWithTheAnswerAndTheSettings) {
  const std::vector<std::string> pointOne = {"hd",
                                             "lg1",
                                             "ly3",
                                             "pn2",
                                             "lw0",
                                             "pt 0 0",
                                             "cn3",
                                             "cc0",
                                             "cn\"$ＭＳ ゴシック",
                                             "ch 0 0 1 0 \"1"};
  std::vector<std::string> triangle = pointOne;
  triangle.insert(triangle.end(),
                  {"lc2", "lt1", "0 0 10 0", "pt 10 0", "ch 10 0 1 0 \"2", "0 0 3.6 4.8",
                   "10 0 3.6 4.8", "pt 3.6 4.8", "ch 3.6 4.8 1 0 \"3"});
  const struct {
    const char* name;
    bool altY;
    std::function<void()> typing;
    std::vector<std::string> answer;
    std::string edit1;
  } cases[] = {
      {"triangle", false,
       [this] {
         Type("10");
         Tab();
         TypeRows({{"1", "6", "2", "8", "0"}});
       },
       triangle, "10"},
      {"point 1 alone", false, [] { Tab(); }, pointOne, ""},
      {"nothing computed", true, [] {}, {"h#ペン作図は行いませんでした。"}, ""},
      {"the row's last cell still in its editor", true,
       [this] {
         Type("10");
         Tab();
         EnterTable();
         TypeCells({"1", "6", "2", "8"});
         Type("0");
       },
       triangle, "10"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    folder.WriteHostFile();
    std::filesystem::remove(folder.SettingsPath());
    Start();
    c.typing();
    if (c.altY) {
      QTest::keyClick(form.get(), Qt::Key_Y, Qt::AltModifier);
      QTRY_VERIFY(!form->isVisible());
    } else {
      QTest::mouseClick(form->Button1, Qt::LeftButton);
      EXPECT_FALSE(form->isVisible());
      EXPECT_EQ(form->LabelA1->text(), QStringLiteral("ファイル生成中です"));
    }
    EXPECT_EQ(Answer(), SjisLines(c.answer));
    EXPECT_EQ(Settings().Edit1, c.edit1);
    form.reset();
  }
}

TEST_F(AnswerFile, CancelAndTheCloseBoxAnswerHqAndKeepTheTable) {
  for (const bool closeBox : {false, true}) {
    folder.WriteHostFile();
    std::filesystem::remove(folder.SettingsPath());
    Start();
    Type("10");
    Tab();
    TypeRows({{"1", "6", "2", "8", "0"}});
    if (closeBox) {
      form->close();
    } else {
      QTest::mouseClick(form->Button2, Qt::LeftButton);
    }
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Answer(), "hq\r\n") << closeBox;
    EXPECT_THAT(Settings().Rows, ElementsAre(TTableRow{"1", "6", "2", "8", "0"}));
    form.reset();
  }
}

TEST_F(AnswerFile, ACellStillBeingTypedIsSaved) {
  // The close box and Alt+Y leave the focus where it is: the cell editor is
  // still open when the settings file is written.
  for (const bool ok : {false, true}) {
    folder.WriteHostFile();
    Start();
    ClickCell(2, 1);
    Type("7");
    if (ok) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::AltModifier);
      QTRY_VERIFY(!form->isVisible());
    } else {
      form->close();
    }
    EXPECT_THAT(Settings().Rows, ElementsAre(TTableRow{"", "7", "", "", ""})) << ok;
    form.reset();
  }
}

}  // namespace

#include "tform1_test.moc"

namespace {

class Preview : public WindowTest {
 protected:
  void SetUp() override { folder.WriteHostFile(); }

  // Pixels of the picture's row y between world x0 and x1 that are not white.
  static int InkAlong(const QImage& picture, double x0, double x1, double y) {
    const int row = static_cast<int>(ToScreenY(y));
    int ink = 0;
    for (auto x = ToScreenX(x0); x <= ToScreenX(x1); ++x) {
      ink += picture.pixelColor(static_cast<int>(x), row) != QColor(Qt::white);
    }
    return ink;
  }
};

TEST_F(Preview, FirstPaintFitsAndDrawsTheHostDrawing) {
  Start();
  form->PaintBox1->grab();
  const QImage& picture = form->PaintBox1->Picture();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), form->PaintBox1->size());
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(0, 0, 255));
  // The road line of the host file, in preview units (its group scale is 100).
  const int span = static_cast<int>(ToScreenX(20) - ToScreenX(-10));
  EXPECT_GT(InkAlong(picture, -10, 20, -5), span * 9 / 10);
  EXPECT_EQ(picture.pixelColor(static_cast<int>(ToScreenX(0)) + 3, static_cast<int>(ToScreenY(0))),
            QColor(255, 0, 0));
  EXPECT_EQ(InkAlong(picture, 2, 18, 0), 0);
}

TEST_F(Preview, ComputationRedrawsWithTheOutline) {
  Start();
  form->PaintBox1->grab();
  Type("1000");
  Tab();
  // Point 2 lies 1000 units out, 10 in the preview: its line is drawn now.
  EXPECT_EQ(InkAlong(form->PaintBox1->Picture(), 2, 8, 0), ToScreenX(8) - ToScreenX(2) + 1);
}

}  // namespace
