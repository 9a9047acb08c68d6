// Form1: builds the window from its parts and wires each event to the unit
// that handles it.
#include "ui/qt/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTextBrowser>
#include <algorithm>

#include "ui/qt/distancegrid.h"
#include "ui/qt/distancemodel.h"
#include "ui/qt/formparts.h"
#include "ui/qt/gridoutlinetable.h"
#include "ui/qt/infopage.h"
#include "ui/qt/previewbox.h"
#include "ui/qt/sjislineedit.h"
#include "ui/qt/sjistext.h"
#include "ui/qt/tablefileio.h"
#include "ui/qt/windowplacement.h"
#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "exchange/writeback.h"
#include "exchange/writer.h"
#include "ui/qt/qtcanvas.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "preview/renderer.h"
#include "text/painters.h"

namespace {

const QString kCaption = QStringLiteral("ホルネ");
const QSize kDesignSize(660, 539);
const QPoint kDesignPos(192, 134);
constexpr int kFontPixels = 13;
constexpr int kPanel2Width = 244;
constexpr int kPanel3Height = 56;
constexpr int kPanel4Height = 115;
constexpr int kLabelA1Height = 24;
constexpr int kInfoStripHeight = 65;
constexpr int kEditHeight = 21;
const QColor kStatusColor(231, 231, 231);
const QColor kHelpColor(187, 235, 244);

// The host's faces are not installed here; the IPA faces stand in for them.
const QStringList kGothicFaces = {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                                  QStringLiteral("IPAゴシック")};

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

TForm1::TForm1(const QString& programPath, QWidget* parent)
    : QWidget(parent), programPath_(programPath) {
  FormCreate();
}

TForm1::~TForm1() = default;

QString TForm1::SettingsPath() const {
  const QFileInfo program(programPath_);
  return program.dir().filePath(program.completeBaseName() + QStringLiteral(".dat"));
}

QString TForm1::JwcTempPath() const {
  return ProgramFolder + QStringLiteral("JWC_TEMP.TXT");
}

void TForm1::FormCreate() {
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
  setGeometry(QRect(kDesignPos, kDesignSize));
  setMinimumSize(kMinWinWidth, kMinWinHeight);

  PaintBox1 = NewNamed<PreviewBox>(this, "PaintBox1");
  PaintBox1->PictureWanted = [this] { PaintBox1Paint(); };

  Panel2 = NewPanel(this, "Panel2");
  Panel2->setFixedWidth(kPanel2Width);
  BuildPanel3();
  StringGrid1Cells = new DistanceModel(this);
  StringGrid1 = NewNamed<DistanceGrid>(Panel2, "StringGrid1");
  StringGrid1->setModel(StringGrid1Cells);
  StringGrid1->setCurrentIndex(StringGrid1Cells->index(0, 1));
  BuildPanel4();
  QBoxLayout* panel2Layout = NewTightBox(QBoxLayout::TopToBottom, Panel2);
  panel2Layout->addWidget(Panel3);
  panel2Layout->addWidget(StringGrid1, 1);
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
  QBoxLayout* form = NewTightBox(QBoxLayout::TopToBottom, this);
  // The window may be made as small as 475 x 200 even if the panels are cut.
  form->setSizeConstraint(QLayout::SetNoConstraint);
  form->addLayout(top, 1);
  form->addWidget(LabelA1);
  form->addWidget(ScrollBox1);

  OpenDialog1 = NewTableDialog(this, "OpenDialog1", QFileDialog::AcceptOpen);
  SaveDialog1 = NewTableDialog(this, "SaveDialog1", QFileDialog::AcceptSave);

  outlineTable_ = std::make_unique<GridOutlineTable>(*StringGrid1Cells, *Edit1, *Edit2);
  CreateGraAttribute();
  InstallTextPainters();

  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
  connect(StringGrid1, &DistanceGrid::cellSelected, this, &TForm1::StringGrid1SelectCell);
  connect(qApp, &QApplication::focusChanged, this, &TForm1::FocusChanged);
  Edit1->installEventFilter(this);
  Edit2->installEventFilter(this);
}

void TForm1::BuildPanel3() {
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

void TForm1::BuildPanel4() {
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

void TForm1::BuildInfoStrip() {
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
  connect(WebBrowser1, &QTextBrowser::anchorClicked, this, &TForm1::OpenMakerPage);
  ScrollBox1->setWidget(Panel1);
}

void TForm1::OpenMakerPage(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stage_ == Stage::Created) {
    stage_ = Stage::Shown;
    FormShow();
  }
}

void TForm1::FormShow() {
  InitStore();
  ProgramFolder = QFileInfo(programPath_).absolutePath() + QLatin1Char('/');
  LoadJwcTemp(LocalPath(JwcTempPath()));
  ResetCurrentAttributes();
  LoadTableFile(SettingsPath());
  PlaceWindow();
  setWindowTitle(kCaption + (JwwStore.DrawingSizeMode ? QStringLiteral("【図寸モード】")
                                                      : QStringLiteral("【実寸モード】")));
  LabelA1->setText(QStringLiteral("【画面操作】マウス左ドラッグ／ペンでの拡大縮小移動が出来ます"));
  FitView();
  ViewReady = true;
  KeysEnabled = true;
  Edit1->setFocus();
  ApplyInitialAttributes();
}

void TForm1::PlaceWindow() {
  QList<QRect> screens;
  for (const QScreen* s : QGuiApplication::screens()) screens << s->availableGeometry();
  const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize size = VisibleWindowSize({WinWidth, WinHeight}, screens);
  move(VisibleWindowPos({WinLeft, WinTop}, size, screens, primary));
  resize(size);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TForm1::FormResize() {
  WinWidth = std::max(width(), kMinWinWidth);
  WinHeight = std::max(height(), kMinWinHeight);
  if (!ViewReady) return;
  // The view keeps its centre and scale; the next drawing shows the new area.
  CentreView((Gval.ViewMinX + Gval.ViewMaxX) / 2, (Gval.ViewMinY + Gval.ViewMaxY) / 2,
             PaintBox1->width(), PaintBox1->height());
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (stage_ == Stage::Shown) {
    stage_ = Stage::Closed;
    FormClose();
  }
  event->accept();
}

void TForm1::TakeWindowBounds() {
  WinLeft = x();
  WinTop = y();
  WinWidth = std::max(width(), kMinWinWidth);
  WinHeight = std::max(height(), kMinWinHeight);
}

void TForm1::FormClose() {
  // Closing by the close box or a shortcut leaves the focus in the table, so
  // a cell being typed has not reached it yet.
  StringGrid1->CommitEditor();
  TakeWindowBounds();
  SaveTableFile(SettingsPath());
  SaveJwcTemp(LocalPath(JwcTempPath()));
  FreeStore();
}

void TForm1::TerminationRequested() {
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

void TForm1::ShowStatus(const QString& text) {
  LabelA1->setText(text);
  LabelA1->repaint();
}

void TForm1::Button1Click() {
  if (Outline.Total() <= 0) {
    QueueMessage(Sjis("ペン作図は行いませんでした。"));
  } else {
    ShowStatus(QStringLiteral("処理中です"));
    QueueLine("hd");
    WriteAll(TWriteOverrides{},
             [this](const std::string& sjis) { ShowStatus(QStringFromSjis(sjis)); });
  }
  ShowStatus(QStringLiteral("ファイル生成中です"));
  close();
}

void TForm1::Button2Click() {
  close();
}

void TForm1::Button3Click() {
  const auto answer = QMessageBox::question(this, QStringLiteral("確認"),
                                            QStringLiteral("各値をクリアします。よろしいですか？"),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  if (answer != QMessageBox::Yes) return;
  Edit1->SetSjis("");
  Edit2->SetSjis("0");
  StringGrid1Cells->SetRows({});
  ResetOutline(Outline);
  RedrawView();
}

void TForm1::PresetDialog(QFileDialog* dialog) const {
  if (LastTableFile.isEmpty()) return;
  const QFileInfo last(LastTableFile);
  dialog->setDirectory(last.absolutePath());
  dialog->selectFile(last.fileName());
}

void TForm1::Button4Click() {
  PresetDialog(OpenDialog1);
  if (OpenDialog1->exec() != QDialog::Accepted) return;
  const QString path = OpenDialog1->selectedFiles().value(0);
  // A table file carries bounds too, but opening one never moves the window.
  TTableFile kept;
  BoundsToTable(kept);
  LoadTableFile(path);
  LastTableFile = path;
  BoundsFromTable(kept);
}

void TForm1::Button5Click() {
  PresetDialog(SaveDialog1);
  if (SaveDialog1->exec() != QDialog::Accepted) return;
  LastTableFile = SaveDialog1->selectedFiles().value(0);
  SaveTableFile(LastTableFile);
}

void TForm1::BoundsFromTable(const TTableFile& t) {
  WinLeft = t.WinLeft;
  WinTop = t.WinTop;
  WinWidth = t.WinWidth;
  WinHeight = t.WinHeight;
}

void TForm1::BoundsToTable(TTableFile& t) const {
  t.WinLeft = WinLeft;
  t.WinTop = WinTop;
  t.WinWidth = WinWidth;
  t.WinHeight = WinHeight;
}

void TForm1::LoadTableFile(const QString& path) {
  BoundsFromTable(TTableFile());
  LastTableFile.clear();
  const std::optional<TTableFile> t = ReadTableFile(path);
  if (!t) return;
  BoundsFromTable(*t);
  LastTableFile = QStringFromSjis(t->LastTableFile);
  Edit1->SetSjis(t->Edit1);
  Edit2->SetSjis(t->Edit2);
  StringGrid1Cells->SetRows(t->Rows);
}

bool TForm1::SaveTableFile(const QString& path) {
  TTableFile t;
  BoundsToTable(t);
  t.LastTableFile = PathToSjis(LastTableFile);
  t.Edit1 = Edit1->Sjis();
  t.Edit2 = Edit2->Sjis();
  t.Rows = StringGrid1Cells->Rows();
  return WriteTableFile(path, t);
}

void TForm1::ComputeOutline() {
  ::ComputeOutline(*outlineTable_, Outline, [this] { RedrawView(); });
}

void TForm1::FitView() {
  FitViewToExtents(PaintBox1->width(), PaintBox1->height());
  RedrawView();
}

void TForm1::RedrawView() {
  if (!ViewReady) return;
  QtCanvas canvas(PaintBox1->width(), PaintBox1->height());
  RenderPreview(canvas, PaintBox1->width(), PaintBox1->height());
  PaintBox1->SetPicture(canvas.Image());
}

void TForm1::PaintBox1Paint() {
  if (ViewReady) FitView();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == Edit1 || watched == Edit2) && event->type() == QEvent::FocusOut &&
      stage_ == Stage::Shown) {
    // Switching to another window or opening a menu does not leave the edit.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Edit1Exit();
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::Edit1Exit() {
  ComputeOutline();
}

void TForm1::StringGrid1SelectCell(int /*col*/, int row, int previousRow) {
  if (row != previousRow) ComputeOutline();
}

void TForm1::FocusChanged(QWidget* /*old*/, QWidget* now) {
  // Focus gone to another application is not a move within the window.
  if (now == nullptr || now->window() != this) return;
  const bool inGrid = now == StringGrid1 || StringGrid1->isAncestorOf(now);
  if (inGrid == gridHasFocus_) return;
  gridHasFocus_ = inGrid;
  if (inGrid) {
    StringGrid1Enter();
  } else {
    StringGrid1Exit();
  }
}

void TForm1::StringGrid1Enter() {
  KeysEnabled = false;
}

void TForm1::StringGrid1Exit() {
  KeysEnabled = true;
}
