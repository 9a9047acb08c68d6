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
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <vector>

#include "app/formcontrols.h"
#include "app/formtexts.h"
#include "app/windowplacement.h"
#include "common/sjis.h"
#include "exchange/tablefile.h"
#include "ui/qt/distancegrid.h"
#include "ui/qt/distancemodel.h"
#include "ui/qt/formparts.h"
#include "ui/qt/infopage.h"
#include "ui/qt/previewbox.h"
#include "ui/qt/sjislineedit.h"
#include "ui/qt/sjistext.h"

namespace {

const QString kCaption = QStringLiteral("ホルネ");
const QColor kStatusColor(231, 231, 231);

// The host's faces are not installed here; the IPA faces stand in for them.
const QStringList kGothicFaces = {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                                  QStringLiteral("IPAゴシック")};

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString QtPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

TBounds BoundsOf(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

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
  f.setPixelSize(kFontHeight);
  setFont(f);
  FillBackground(this, Qt::white);
  setGeometry(QRect(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight));
  setMinimumSize(kMinWinWidth, kMinWinHeight);

  form_ = std::make_unique<TForm1>(*this, LocalPath(QFileInfo(programPath).absoluteFilePath()));

  Panel2 = NewPanel(this, "Panel2");
  Panel3 = NewPanel(Panel2, "Panel3");
  Panel4 = NewPanel(Panel2, "Panel4");
  CreateControls();

  resizeSettle_ = new QTimer(this);
  resizeSettle_->setSingleShot(true);
  resizeSettle_->setInterval(kResizeSettleMs);
  connect(resizeSettle_, &QTimer::timeout, this, [this] { form_->FormResizeSettled(); });

  // A timer of no delay fires in the event loop's next pass, after the input
  // and the paints waiting now (a call queued as an event could come before
  // them, and the slices would starve the window).
  redrawSlice_ = new QTimer(this);
  redrawSlice_->setSingleShot(true);
  redrawSlice_->setInterval(0);
  connect(redrawSlice_, &QTimer::timeout, this, [this] { form_->Preview.ContinueRedraw(); });

  connect(Button1, &QPushButton::clicked, this, [this] { form_->Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { form_->Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { form_->Button3Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { form_->Button4Click(); });
  connect(Button5, &QPushButton::clicked, this, [this] { form_->Button5Click(); });
  connect(StringGrid1, &DistanceGrid::cellSelected, this, [this](int col, int row, int previous) {
    form_->StringGrid1SelectCell(col, row, previous);
  });
  connect(StringGrid1, &DistanceGrid::copyRequested, this, [this] { form_->StringGrid1Copy(); });
  connect(StringGrid1, &DistanceGrid::pasteRequested, this, [this] { form_->StringGrid1Paste(); });
  connect(StringGrid1, &DistanceGrid::clearRequested, this, [this] { form_->StringGrid1Clear(); });
  WireArea();
  connect(StringGrid1Cells, &DistanceModel::cellEdited, this,
          [this] { form_->StringGrid1CellEdited(); });
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::FocusChanged);
  Edit1->installEventFilter(this);
  Edit2->installEventFilter(this);
  // The form sees the keys before its controls.
  qApp->installEventFilter(this);
  WirePreview();
  LayoutControls();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  // The children die in QWidget's destructor, after this one: a focus change
  // they cause then must not reach a window that is no longer a MainWindow.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void MainWindow::WireArea() {
  // A point is left out of the area, or taken back, by a double click on its
  // number or Ctrl+E on its row.
  connect(StringGrid1->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
          [this](int section) { form_->StringGrid1ToggleArea(section + 1); });
  auto* toggle = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), StringGrid1);
  toggle->setContext(Qt::WidgetWithChildrenShortcut);
  connect(toggle, &QShortcut::activated, this,
          [this] { form_->StringGrid1ToggleArea(StringGrid1->currentIndex().row() + 1); });
  // A right click on the area line: its method, table and unit.
  LabelArea->setContextMenuPolicy(Qt::CustomContextMenu);
  // A click gives it the keys, for Ctrl+C.
  LabelArea->setFocusPolicy(Qt::ClickFocus);
  connect(LabelArea, &QLabel::customContextMenuRequested, this,
          [this](const QPoint& at) { AreaMenu(LabelArea->mapToGlobal(at)); });
}

void MainWindow::AreaMenu(const QPoint& at) {
  QMenu menu(this);
  const std::vector<TAreaMenuItem> items = form_->AreaMenu();
  for (size_t i = 0; i < items.size(); ++i) {
    QAction* a = menu.addAction(QStringFromSjis(items[i].Text));
    a->setCheckable(items[i].Checkable);
    a->setChecked(items[i].Checked);
    a->setEnabled(items[i].Enabled);
    a->setData(static_cast<qulonglong>(i));
  }
  if (QAction* chosen = menu.exec(at)) form_->AreaMenuChoose(chosen->data().toULongLong());
}

void MainWindow::WirePreview() {
  PaintBox1->Paint = [this] { form_->Preview.PaintBox1Paint(); };
  PaintBox1->MouseDown = [this](uint8_t buttons, int x, int y) {
    form_->Preview.PaintBox1MouseDown(buttons, x, y);
  };
  PaintBox1->MouseMove = [this](int x, int y) { form_->Preview.PaintBox1MouseMove(x, y); };
  PaintBox1->MouseUp = [this](int x, int y) { form_->Preview.PaintBox1MouseUp(x, y); };
}

QWidget* MainWindow::AreaOf(ControlArea area) const {
  switch (area) {
    case ControlArea::Panel3:
      return Panel3;
    case ControlArea::Panel4:
      return Panel4;
    case ControlArea::Form:
      break;
  }
  return const_cast<MainWindow*>(this);
}

void MainWindow::CreateControls() {
  // Made in the table's order; the tab order follows it among the stops.
  QWidget* lastStop = nullptr;
  for (const TControl& c : FormControls()) {
    QWidget* parent = AreaOf(c.Area);
    const QString text = QString::fromUtf8(c.Text);
    QWidget* w = nullptr;
    switch (c.Kind) {
      case ControlKind::Preview:
        w = PaintBox1 = NewNamed<PreviewBox>(parent, c.Name);
        break;
      case ControlKind::Label:
        w = NewLabel(parent, c.Name, text);
        break;
      case ControlKind::Status:
        w = LabelA1 = NewNamed<QLabel>(parent, c.Name);
        LabelA1->setText(text);
        LabelA1->setAlignment(Qt::AlignCenter);
        FillBackground(LabelA1, kStatusColor);
        break;
      case ControlKind::InfoStrip:
        w = BuildInfoStrip(c.Name);
        break;
      case ControlKind::Edit:
        w = NewNumberEdit(parent, c.Name);
        break;
      case ControlKind::Button:
        w = NewButton(parent, c.Name, text);
        break;
      case ControlKind::Memo:
        w = Memo1 = NewHelpMemo(parent, c.Name);
        break;
      case ControlKind::Grid:
        StringGrid1Cells = new DistanceModel(form_->Cells(), this);
        w = StringGrid1 = NewNamed<DistanceGrid>(Panel2, c.Name);
        StringGrid1->setModel(StringGrid1Cells);
        StringGrid1->setCurrentIndex(StringGrid1Cells->index(0, 0));
        StringGrid1->SetDefaultColumnWidths();
        break;
    }
    if (!c.InputMethod) w->setAttribute(Qt::WA_InputMethodEnabled, false);
    if (c.TabOrder > 0) {
      if (lastStop != nullptr) setTabOrder(lastStop, w);
      lastStop = w;
    } else if (c.Kind == ControlKind::Button || c.Kind == ControlKind::Memo) {
      // No tab stop, but a click still takes the focus, as on any button (or
      // to select and copy the help).
      w->setFocusPolicy(Qt::ClickFocus);
    }
    controls_[static_cast<size_t>(c.Id)] = w;
  }
  Label1 = qobject_cast<QLabel*>(Control(ControlId::Label1));
  Label2 = qobject_cast<QLabel*>(Control(ControlId::Label2));
  Label3 = qobject_cast<QLabel*>(Control(ControlId::Label3));
  Label4 = qobject_cast<QLabel*>(Control(ControlId::Label4));
  Edit1 = qobject_cast<SjisLineEdit*>(Control(ControlId::Edit1));
  Edit2 = qobject_cast<SjisLineEdit*>(Control(ControlId::Edit2));
  Button1 = qobject_cast<QPushButton*>(Control(ControlId::Button1));
  Button2 = qobject_cast<QPushButton*>(Control(ControlId::Button2));
  Button3 = qobject_cast<QPushButton*>(Control(ControlId::Button3));
  Button4 = qobject_cast<QPushButton*>(Control(ControlId::Button4));
  Button5 = qobject_cast<QPushButton*>(Control(ControlId::Button5));
  LabelArea = qobject_cast<QLabel*>(Control(ControlId::LabelArea));
  LabelArea->setWordWrap(true);
  LabelArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  StringGrid1Cells->SetLeftOut([this](int32_t row) { return form_->RowLeftOut(row); });
}

void MainWindow::LayoutControls() {
  // Wide enough for the table's default columns, never narrower than designed.
  const int gridWidth =
      StringGrid1->verticalHeader()->width() + StringGrid1->horizontalHeader()->length() +
      StringGrid1->verticalScrollBar()->sizeHint().width() + 2 * StringGrid1->frameWidth();
  const int column = std::max(kPanel2Width, gridWidth);
  // The area line as high as its words need at the column's width.
  const int areaHeight =
      LabelArea->text().isEmpty() ? 0 : LabelArea->heightForWidth(std::min(column, width()));
  const TFormLayout l = LayoutForm(width(), height(), column, 1.0, areaHeight);
  const auto place = [this](QWidget* w, const TBounds& b) {
    const QPoint origin = w->parentWidget()->mapTo(this, QPoint(0, 0));
    w->setGeometry(b.Left - origin.x(), b.Top - origin.y(), b.Width, b.Height);
  };
  place(Panel2, l.Panel2);
  place(Panel3, l.Panel3);
  place(Panel4, l.Panel4);
  for (const TControl& c : FormControls()) place(Control(c.Id), l[c.Id]);
}

QScrollArea* MainWindow::BuildInfoStrip(const char* name) {
  ScrollBox1 = NewNamed<QScrollArea>(this, name);
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
  // The link leaves for the system's viewer; the strip itself only shows it.
  WebBrowser1->setOpenLinks(false);
  WebBrowser1->setHtml(InfoPageHtml());
  connect(WebBrowser1, &QTextBrowser::anchorClicked, this, &MainWindow::OpenGuide);
  ScrollBox1->setWidget(Panel1);
  return ScrollBox1;
}

void MainWindow::OpenGuide() {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QtPath(form_->ProgramFolder / GuideFileName())));
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  form_->FormShow();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutControls();
  form_->FormResize();
  resizeSettle_->start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  resizeSettle_->stop();
  form_->FormClose();
  event->accept();
}

bool MainWindow::WheelPreview(QWidget* target, const QWheelEvent& event) {
  // A control that scrolls keeps the wheel; anywhere else it zooms.
  for (QWidget* w = target; w != nullptr && w != this; w = w->parentWidget()) {
    if (qobject_cast<QAbstractScrollArea*>(w) != nullptr) return false;
  }
  const QPoint at = event.globalPosition().toPoint();
  const int delta = event.angleDelta().y();
  form_->Preview.FormMouseWheel(at.x(), at.y(), delta);
  return delta != 0;
}

bool MainWindow::KeyPreview(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Escape && form_->Preview.EscapeKeyDown()) return true;
  if (event.matches(QKeySequence::Copy) && QApplication::focusWidget() == LabelArea) {
    form_->LabelAreaCopy();
    return true;
  }
  // The menu key or Shift+F10, wherever the focus is: the area line's menu,
  // under its corner.
  if (event.key() == Qt::Key_Menu ||
      (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier)) {
    AreaMenu(LabelArea->mapToGlobal(QPoint(0, LabelArea->height())));
    return true;
  }
  const std::optional<NavKey> key = NavKeyOf(event.key());
  if (!key || (event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) return false;
  return form_->Preview.FormKeyDown(*key, (event.modifiers() & Qt::ShiftModifier) != 0);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w != nullptr && w->window() == this && !QApplication::activeModalWidget() &&
        WheelPreview(w, *static_cast<QWheelEvent*>(event))) {
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress) {
    auto* w = qobject_cast<QWidget*>(watched);
    // Keys of this window only, once (the filter sees each step of the
    // propagation), and not those of a dialog it opened.
    if (w != nullptr && w == QApplication::focusWidget() && w->window() == this &&
        KeyPreview(*static_cast<QKeyEvent*>(event))) {
      return true;
    }
  }
  if ((watched == Edit1 || watched == Edit2) && event->type() == QEvent::FocusOut) {
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
  for (const TControl& c : FormControls()) {
    QWidget* w = Control(c.Id);
    if (now == w || w->isAncestorOf(now)) form_->ControlFocused(c.Id);
  }
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

void MainWindow::FocusControl(ControlId control) {
  Control(control)->setFocus(Qt::OtherFocusReason);
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
  const int before = LabelArea->heightForWidth(LabelArea->width());
  LabelArea->setText(QStringFromSjis(sjis));
  if (LabelArea->heightForWidth(LabelArea->width()) != before) LayoutControls();
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

std::optional<std::filesystem::path> MainWindow::SaveTableDialog(const std::filesystem::path& start,
                                                                 TFileKind kind) {
  if (SaveDialog1 == nullptr) {
    SaveDialog1 = NewTableDialog(this, "SaveDialog1", QFileDialog::AcceptSave);
  }
  SetFileKind(SaveDialog1, kind);
  return RunTableDialog(SaveDialog1, start);
}

std::optional<std::string> MainWindow::AskText(const std::string& title, const std::string& prompt,
                                               const std::string& text) {
  bool ok = false;
  const QString typed = QInputDialog::getText(this, QStringFromSjis(title), QStringFromSjis(prompt),
                                              QLineEdit::Normal, QStringFromSjis(text), &ok);
  if (!ok) return std::nullopt;
  return SjisFromUtf8(typed.toStdString());
}

TBounds MainWindow::WindowBounds() const {
  return {x(), y(), width(), height()};
}

void MainWindow::SetWindowBounds(const TBounds& b) {
  std::vector<TBounds> screens;
  for (const QScreen* s : QGuiApplication::screens())
    screens.push_back(BoundsOf(s->availableGeometry()));
  const TBounds primary = BoundsOf(QGuiApplication::primaryScreen()->availableGeometry());
  const TBounds v = VisibleWindowBounds(b, screens, primary);
  move(v.Left, v.Top);
  resize(v.Width, v.Height);
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
