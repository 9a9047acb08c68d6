// Form1 on Qt: builds the window from its parts, hands each event to the
// window's behaviour and carries out what it asks of the front end.
#include "ui/qt/mainwindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCompleter>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "app/formlayout.h"
#include "common/sjis.h"
#include "exchange/tablefile.h"
#include "ui/qt/distancegrid.h"
#include "ui/qt/distancemodel.h"
#include "ui/qt/formparts.h"
#include "ui/qt/infopage.h"
#include "ui/qt/previewbox.h"
#include "ui/qt/sjislineedit.h"
#include "ui/qt/sjistext.h"
#include "ui/qt/windowplacement.h"

namespace {

const QString kCaption = QStringLiteral("ホルネ");
constexpr int kFontPixels = 13;
const QColor kStatusColor(231, 231, 231);
const QColor kHelpColor(187, 235, 244);

// The host's faces are not installed here; the IPA faces stand in for them.
const QStringList kGothicFaces = {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                                  QStringLiteral("IPAゴシック")};

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString QtPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// Resize events come in bursts while the user drags the frame; the view is
// drawn anew once they stop for this long.
constexpr int kResizeSettleMs = 150;

// The navigation keys the form looks at before the focused control.
std::optional<NavKey> NavKeyOf(int key) {
  switch (key) {
    case Qt::Key_PageUp:
      return NavKey::PageUp;
    case Qt::Key_PageDown:
      return NavKey::PageDown;
    case Qt::Key_End:
      return NavKey::End;
    case Qt::Key_Insert:
      return NavKey::Insert;
    case Qt::Key_Home:
      return NavKey::Home;
    case Qt::Key_Left:
      return NavKey::Left;
    case Qt::Key_Right:
      return NavKey::Right;
    case Qt::Key_Up:
      return NavKey::Up;
    case Qt::Key_Down:
      return NavKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace

MainWindow::MainWindow(const QString& programPath, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(kCaption);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  QFont f = font();
  f.setFamilies(kGothicFaces);
  f.setPixelSize(kFontPixels);
  setFont(f);
  FillBackground(this, Qt::white);
  setGeometry(QRect(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight));
  setMinimumSize(kMinWinWidth, kMinWinHeight);

  form_ = std::make_unique<TForm1>(*this, LocalPath(QFileInfo(programPath).absoluteFilePath()));

  PaintBox1 = NewNamed<PreviewBox>(this, "PaintBox1");
  Panel2 = NewPanel(this, "Panel2");
  Panel2->setFixedWidth(kPanel2Width);
  BuildPanel3();
  StringGrid1Cells = new DistanceModel(form_->Cells(), this);
  StringGrid1 = NewNamed<DistanceGrid>(Panel2, "StringGrid1");
  StringGrid1->setModel(StringGrid1Cells);
  StringGrid1->setCurrentIndex(StringGrid1Cells->index(0, 0));
  StringGrid1Cells->SetLeftOut([this](int32_t row) { return form_->RowLeftOut(row); });
  LabelArea = NewNamed<QLabel>(Panel2, "LabelArea");
  LabelArea->setWordWrap(true);
  LabelArea->hide();
  LabelArea->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LabelArea, &QLabel::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    const std::vector<TForm1::TAreaMenuItem> items = form_->AreaMenu();
    for (size_t i = 0; i < items.size(); ++i) {
      QAction* a = menu.addAction(QStringFromSjis(items[i].Text));
      a->setCheckable(true);
      a->setChecked(items[i].Checked);
      a->setData(static_cast<qulonglong>(i));
    }
    if (QAction* chosen = menu.exec(LabelArea->mapToGlobal(at))) {
      form_->AreaMenuChoose(chosen->data().toULongLong());
    }
  });
  BuildPanel4();
  QBoxLayout* panel2Layout = NewTightBox(QBoxLayout::TopToBottom, Panel2);
  panel2Layout->addWidget(Panel3);
  panel2Layout->addWidget(StringGrid1, 1);
  panel2Layout->addWidget(LabelArea);
  panel2Layout->addWidget(Panel4);

  LabelA1 = NewNamed<QLabel>(this, "LabelA1");
  LabelA1->setText(QStringLiteral("　"));
  LabelA1->setFixedHeight(kLabelA1Height);
  LabelA1->setAlignment(Qt::AlignCenter);
  FillBackground(LabelA1, kStatusColor);

  BuildInfoStrip();

  QBoxLayout* top = NewTightBox(QBoxLayout::LeftToRight);
  top->addWidget(PaintBox1, 1);
  top->addWidget(Panel2);
  QBoxLayout* layout = NewTightBox(QBoxLayout::TopToBottom, this);
  // The window may be made as small as 475 x 200 even if the panels are cut.
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  layout->addLayout(top, 1);
  layout->addWidget(LabelA1);
  layout->addWidget(ScrollBox1);

  resizeSettle_ = new QTimer(this);
  resizeSettle_->setSingleShot(true);
  resizeSettle_->setInterval(kResizeSettleMs);
  connect(resizeSettle_, &QTimer::timeout, this, [this] {
    if (stage_ == Stage::Shown) form_->FormResizeSettled();
  });

  // A timer of no delay fires in the event loop's next pass, after the input
  // and the paints waiting now (a call queued as an event could come before
  // them, and the slices would starve the window).
  redrawSlice_ = new QTimer(this);
  redrawSlice_->setSingleShot(true);
  redrawSlice_->setInterval(0);
  connect(redrawSlice_, &QTimer::timeout, this, [this] {
    if (stage_ == Stage::Shown) form_->ContinueRedraw();
  });

  connect(Button1, &QPushButton::clicked, this, [this] { form_->Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { form_->Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { form_->Button3Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { form_->Button4Click(); });
  connect(Button5, &QPushButton::clicked, this, [this] { form_->Button5Click(); });
  connect(StringGrid1, &DistanceGrid::cellSelected, this, [this](int col, int row, int previous) {
    form_->StringGrid1SelectCell(col, row, previous);
  });
  connect(StringGrid1, &DistanceGrid::copyRequested, this, [this] { form_->StringGrid1Copy(); });
  // A point is left out of the area, or taken back, by a double click on its
  // number or Ctrl+E on its row.
  connect(StringGrid1->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
          [this](int section) { form_->StringGrid1ToggleArea(section + 1); });
  auto* toggleArea = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), StringGrid1);
  toggleArea->setContext(Qt::WidgetWithChildrenShortcut);
  connect(toggleArea, &QShortcut::activated, this,
          [this] { form_->StringGrid1ToggleArea(StringGrid1->currentIndex().row() + 1); });
  connect(StringGrid1, &DistanceGrid::pasteRequested, this, [this] { form_->StringGrid1Paste(); });
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::FocusChanged);
  Edit1->installEventFilter(this);
  Edit2->installEventFilter(this);
  // The form sees the keys before its controls.
  qApp->installEventFilter(this);
  WirePreview();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  // The children die in QWidget's destructor, after this one: a focus change
  // they cause then must not reach a window that is no longer a MainWindow.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void MainWindow::WirePreview() {
  PaintBox1->Paint = [this] {
    if (stage_ == Stage::Shown) form_->PaintBox1Paint();
  };
  PaintBox1->MouseDown = [this](uint8_t buttons, int x, int y) {
    form_->PaintBox1MouseDown(buttons, x, y);
  };
  PaintBox1->MouseMove = [this](int x, int y) { form_->PaintBox1MouseMove(x, y); };
  PaintBox1->MouseUp = [this](int x, int y) { form_->PaintBox1MouseUp(x, y); };
}

void MainWindow::BuildPanel3() {
  Panel3 = NewPanel(Panel2, "Panel3");
  Panel3->setFixedHeight(kPanel3Height);
  Label1 = NewLabel(Panel3, "Label1", QStringLiteral("点1：原点（基準点）"), {8, 8});
  Label2 = NewLabel(Panel3, "Label2", QStringLiteral("点2：距離"), {8, 32});
  Edit1 = NewNumberEdit(Panel3, "Edit1", {80, 28, 41, kEditHeight});
  Label3 = NewLabel(Panel3, "Label3", QStringLiteral("角度"), {128, 32});
  Edit2 = NewNumberEdit(Panel3, "Edit2", {160, 28, 49, kEditHeight});
  Label4 = NewLabel(Panel3, "Label4", QStringLiteral("°"), {216, 32});
  Button3 = NewButton(Panel3, "Button3", QStringLiteral("クリア"), {144, 0, 49, 25});
  Button4 = NewButton(Panel3, "Button4", QStringLiteral("開"), {192, 0, 25, 25});
  Button5 = NewButton(Panel3, "Button5", QStringLiteral("保"), {216, 0, 25, 25});
  // No tab stop, but a click still takes the focus as on any button.
  for (QPushButton* b : {Button3, Button4, Button5}) b->setFocusPolicy(Qt::ClickFocus);
}

void MainWindow::BuildPanel4() {
  Panel4 = NewPanel(Panel2, "Panel4");
  Panel4->setFixedHeight(kPanel4Height);
  Memo1 = NewNamed<QPlainTextEdit>(Panel4, "Memo1");
  Memo1->setGeometry(0, 0, 241, 89);
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // No tab stop, but a click may still take the focus to select and copy.
  Memo1->setFocusPolicy(Qt::ClickFocus);
  QPalette helpPal = Memo1->palette();
  helpPal.setColor(QPalette::Base, kHelpColor);
  Memo1->setPalette(helpPal);
  Memo1->setPlainText(HelpText());
  Button1 = NewButton(Panel4, "Button1", QStringLiteral("ＯＫ(&Y)"), {0, 90, 97, 25});
  Button2 = NewButton(Panel4, "Button2", QStringLiteral("キャンセル(&N)"), {104, 90, 137, 25});
}

void MainWindow::BuildInfoStrip() {
  ScrollBox1 = NewNamed<QScrollArea>(this, "ScrollBox1");
  ScrollBox1->setFixedHeight(kInfoStripHeight);
  ScrollBox1->setFrameShape(QFrame::NoFrame);
  ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox1->setFocusPolicy(Qt::NoFocus);
  // Owned by ScrollBox1 once it is set as its widget.
  Panel1 = NewNamed<QWidget>(nullptr, "Panel1");
  Panel1->resize(600, 200);
  WebBrowser1 = NewNamed<QTextBrowser>(Panel1, "WebBrowser1");
  WebBrowser1->setGeometry(0, 0, 600, 200);
  WebBrowser1->setFrameShape(QFrame::NoFrame);
  WebBrowser1->setFocusPolicy(Qt::NoFocus);
  WebBrowser1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  WebBrowser1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Links leave for the system browser; the strip itself only shows the page.
  WebBrowser1->setOpenLinks(false);
  WebBrowser1->setHtml(InfoPageHtml());
  connect(WebBrowser1, &QTextBrowser::anchorClicked, this, &MainWindow::OpenMakerPage);
  ScrollBox1->setWidget(Panel1);
}

void MainWindow::OpenMakerPage(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stage_ == Stage::Created) {
    stage_ = Stage::Shown;
    form_->FormShow();
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (stage_ != Stage::Shown) return;
  form_->FormResize();
  resizeSettle_->start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (stage_ == Stage::Shown) {
    stage_ = Stage::Closed;
    resizeSettle_->stop();
    form_->FormClose();
  }
  event->accept();
}

bool MainWindow::WheelPreview(QWidget* target, const QWheelEvent& event) {
  // A control that scrolls keeps the wheel; anywhere else it zooms.
  for (QWidget* w = target; w != nullptr && w != this; w = w->parentWidget()) {
    if (qobject_cast<QAbstractScrollArea*>(w) != nullptr) return false;
  }
  const QPoint at = event.globalPosition().toPoint();
  const int delta = event.angleDelta().y();
  if (delta < 0) form_->FormMouseWheelDown(at.x(), at.y());
  if (delta > 0) form_->FormMouseWheelUp(at.x(), at.y());
  return delta != 0;
}

bool MainWindow::KeyPreview(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Escape && form_->EscapeKeyDown()) return true;
  const std::optional<NavKey> key = NavKeyOf(event.key());
  if (!key || (event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) return false;
  return form_->FormKeyDown(*key, (event.modifiers() & Qt::ShiftModifier) != 0);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && stage_ == Stage::Shown) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w != nullptr && w->window() == this && !QApplication::activeModalWidget() &&
        WheelPreview(w, *static_cast<QWheelEvent*>(event))) {
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && stage_ == Stage::Shown) {
    auto* w = qobject_cast<QWidget*>(watched);
    // Keys of this window only, once (the filter sees each step of the
    // propagation), and not those of a dialog it opened.
    if (w != nullptr && w == QApplication::focusWidget() && w->window() == this &&
        KeyPreview(*static_cast<QKeyEvent*>(event))) {
      return true;
    }
  }
  if ((watched == Edit1 || watched == Edit2) && event->type() == QEvent::FocusOut &&
      stage_ == Stage::Shown) {
    // Switching to another window or opening a menu does not leave the edit.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      form_->Edit1Exit();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::FocusChanged(QWidget* /*old*/, QWidget* now) {
  // Focus gone to another application is not a move within the window.
  if (now == nullptr || now->window() != this) return;
  const bool inGrid = now == StringGrid1 || StringGrid1->isAncestorOf(now);
  if (inGrid == gridHasFocus_) return;
  gridHasFocus_ = inGrid;
  if (inGrid) {
    form_->StringGrid1Enter();
  } else {
    form_->StringGrid1Exit();
  }
}

SjisLineEdit* MainWindow::EditOf(EditId edit) const {
  return edit == EditId::Edit1 ? Edit1 : Edit2;
}

std::string MainWindow::EditText(EditId edit) const {
  return EditOf(edit)->Sjis();
}

void MainWindow::SetEditText(EditId edit, const std::string& sjis) {
  EditOf(edit)->SetSjis(sjis);
}

void MainWindow::FocusEdit(EditId edit) {
  // Typing then replaces the value, as the host's platform users expect.
  EditOf(edit)->setFocus(Qt::OtherFocusReason);
  EditOf(edit)->selectAll();
}

void MainWindow::CellsChanged(int32_t firstRow, int32_t lastRow) {
  StringGrid1Cells->RowsChanged(firstRow, lastRow);
}

void MainWindow::CommitCellEditor() {
  StringGrid1->CommitEditor();
}

TCellPos MainWindow::CellCursor() const {
  const QModelIndex at = StringGrid1->currentIndex();
  if (!at.isValid()) return {};
  return {at.column() + 1, at.row() + 1};
}

void MainWindow::SetCellCursor(TCellPos cell) {
  const QSignalBlocker quiet(StringGrid1);
  StringGrid1->setCurrentIndex(StringGrid1Cells->index(cell.Row - 1, cell.Col - 1));
}

TCellRange MainWindow::CellSelection() const {
  const TCellPos at = CellCursor();
  const QModelIndexList picked = StringGrid1->selectionModel()->selectedIndexes();
  if (picked.isEmpty()) return {at, at};
  TCellRange r{{kGridColumns, kTableRows}, {1, 1}};
  for (const QModelIndex& i : picked) {
    r.From.Col = std::min(r.From.Col, i.column() + 1);
    r.From.Row = std::min(r.From.Row, i.row() + 1);
    r.To.Col = std::max(r.To.Col, i.column() + 1);
    r.To.Row = std::max(r.To.Row, i.row() + 1);
  }
  return r;
}

void MainWindow::SetCaption(const std::string& sjis) {
  setWindowTitle(QStringFromSjis(sjis));
}

void MainWindow::SetStatus(const std::string& sjis) {
  LabelA1->setText(QStringFromSjis(sjis));
  LabelA1->repaint();
}

void MainWindow::SetAreaText(const std::string& sjis) {
  LabelArea->setText(QStringFromSjis(sjis));
  LabelArea->setVisible(!sjis.empty());
}

bool MainWindow::AskYesNo(const std::string& sjis) {
  return QMessageBox::question(this, QStringLiteral("確認"), QStringFromSjis(sjis),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void MainWindow::ShowError(const std::string& sjis) {
  QMessageBox::critical(this, QStringLiteral("エラー"), QStringFromSjis(sjis));
}

std::optional<std::filesystem::path> MainWindow::RunTableDialog(
    QFileDialog* dialog, const std::filesystem::path& start) {
  if (!start.empty()) {
    const QFileInfo last(QtPath(start));
    dialog->setDirectory(last.absolutePath());
    dialog->selectFile(last.fileName());
  }
  const bool accepted = dialog->exec() == QDialog::Accepted;
  // The file-name completion list is a window of its own: nothing of the
  // dialog may stay over the form and swallow the next click.
  for (QCompleter* c : dialog->findChildren<QCompleter*>()) {
    if (c->popup() != nullptr) c->popup()->hide();
  }
  if (!accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return LocalPath(dialog->selectedFiles().value(0));
}

// The dialogs are made on first use: each lists and watches its folder from
// the moment it is made, work the start-up and the first picture need not
// wait for.
std::optional<std::filesystem::path> MainWindow::OpenTableDialog(
    const std::filesystem::path& start) {
  if (OpenDialog1 == nullptr) {
    OpenDialog1 = NewTableDialog(this, "OpenDialog1", QFileDialog::AcceptOpen);
  }
  return RunTableDialog(OpenDialog1, start);
}

std::optional<std::filesystem::path> MainWindow::SaveTableDialog(
    const std::filesystem::path& start) {
  if (SaveDialog1 == nullptr) {
    SaveDialog1 = NewTableDialog(this, "SaveDialog1", QFileDialog::AcceptSave);
  }
  return RunTableDialog(SaveDialog1, start);
}

TBounds MainWindow::WindowBounds() const {
  return {x(), y(), width(), height()};
}

void MainWindow::SetWindowBounds(const TBounds& b) {
  QList<QRect> screens;
  for (const QScreen* s : QGuiApplication::screens()) screens << s->availableGeometry();
  const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize size = VisibleWindowSize({b.Width, b.Height}, screens);
  move(VisibleWindowPos({b.Left, b.Top}, size, screens, primary));
  resize(size);
}

TBounds MainWindow::PaintBoxBounds() const {
  const QPoint at = PaintBox1->mapToGlobal(QPoint(0, 0));
  return {at.x(), at.y(), PaintBox1->width(), PaintBox1->height()};
}

Canvas& MainWindow::PreviewCanvas() {
  return PaintBox1->Surface();
}

void MainWindow::ScheduleRedrawSlice() {
  redrawSlice_->start();
}

void MainWindow::RepaintPreview() {
  PaintBox1->ShowSurface();
}

std::optional<TClipboardText> MainWindow::ClipboardText() const {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return std::nullopt;
  const std::string utf8 = text.toStdString();
  if (!SjisCanEncode(utf8)) return TClipboardText{false, {}};
  return TClipboardText{true, SjisFromUtf8(utf8)};
}

void MainWindow::SetClipboardText(const std::string& sjis) {
  QGuiApplication::clipboard()->setText(QStringFromSjis(sjis));
}

void MainWindow::Close() {
  close();
}

void MainWindow::TerminationRequested() {
  QWidget* dismissed = nullptr;
  while (QWidget* modal = QApplication::activeModalWidget()) {
    // A box that refuses to go must not hold the loop.
    if (modal == this || modal == dismissed) break;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
    dismissed = modal;
  }
  close();
}
