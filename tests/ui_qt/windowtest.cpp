// The window tests' frame: start-up over a folder, typing and clicking.
#include "windowtest.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "common/sjis.h"
#include "ui/qt/distancegrid.h"
#include "ui/qt/sjislineedit.h"

WindowTest::~WindowTest() {
  if (form) form->close();
}

MainWindow& WindowTest::Start() {
  form = std::make_unique<MainWindow>(QtPath(folder.ProgramPath()));
  form->show();
  QApplication::setActiveWindow(form.get());
  EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
  return *form;
}

void WindowTest::Type(const QString& text) {
  // The focus moves into the cell editor after the first key, so every key
  // goes to whatever has the focus at that moment.
  for (const QChar c : text) TypeChar(QApplication::focusWidget(), QString(c));
}

void WindowTest::TypeChar(QWidget* target, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text, Qt::NoModifier);
}

void WindowTest::Tab() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void WindowTest::ClickCell(int col, int row) {
  DistanceGrid* grid = form->StringGrid1;
  const QModelIndex at = grid->model()->index(row - 1, col - 1);
  grid->scrollTo(at);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                    grid->visualRect(at).center());
}

void WindowTest::EnterTable() {
  // From Edit2 the Tab key leads into the table at its first cell.
  form->Edit2->setFocus(Qt::MouseFocusReason);
  Tab();
}

void WindowTest::TypeCells(const std::vector<std::string>& utf8Cells) {
  for (const std::string& cell : utf8Cells) {
    Type(QString::fromStdString(cell));
    Tab();
  }
}

void WindowTest::TypeRows(const std::vector<TTableRow>& utf8Rows) {
  EnterTable();
  for (const TTableRow& row : utf8Rows) TypeCells({row.begin(), row.end()});
}

void WhenDialogOpens(std::function<void(QWidget* dialog)> answer) {
  // The dialog runs its own loop; a short poll finds it once it is up.
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    answer(dialog);
  });
  poll->start(10);
}

TTableFile WindowTest::Settings() const {
  return ParseTableFile(ReadBytes(folder.SettingsPath()));
}

void SetTableRows(MainWindow& form, const std::vector<TTableRow>& rows) {
  form.Form().Cells().SetRows(rows);
  form.CellsChanged(1, kTableRows);
}
