// Form1's handlers: the lifecycle, the buttons, the computation triggers and
// the table files. The preview's navigation is in navigation.cpp, its picture
// in redraw.cpp.
#include "app/tform1.h"

#include <algorithm>
#include <utility>

#include "app/cellblock.h"
#include "app/cellwarnings.h"
#include "app/formcontrols.h"
#include "app/tablefileio.h"
#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "exchange/writeback.h"
#include "exchange/writer.h"
#include "preview/gval.h"
#include "site/areatable.h"

namespace fs = std::filesystem;

namespace {

// The side column, where a row whose circles do not meet says so.
constexpr int32_t kSideColumn = 5;

std::string NavigationHint() {
  return Sjis("【画面操作】マウス左ドラッグ／ペンでの拡大縮小移動が出来ます");
}

}  // namespace

TForm1::TForm1(FrontEnd& ui, fs::path programPath) : ui_(ui), programPath_(std::move(programPath)) {
  FormCreate();
  // The host wrote its drawing before it started the tool, so it is read on
  // a thread of its own while the window is being made; nothing else touches
  // the store until FormShow takes it.
  ProgramFolder = programPath_.parent_path();
  readAhead_ = std::async(std::launch::async, [path = JwcTempPath()] {
    InitStore();
    LoadJwcTemp(path);
  });
}

fs::path TForm1::SettingsPath() const {
  fs::path p = programPath_;
  return p.replace_extension(".dat");
}

fs::path TForm1::JwcTempPath() const {
  return ProgramFolder / "JWC_TEMP.TXT";
}

void TForm1::FormCreate() {
  ViewReady = false;
  CreateGraAttribute();
  ZoomStep = 2.0;
  MouseFlags = 0;
  BandShown = false;
  ViewBitmap.reset();
  DragBitmap.reset();
  Outline = {};
}

void TForm1::FormShow() {
  if (stage_ != TStage::Created) return;
  stage_ = TStage::Shown;
  readAhead_.get();
  ResetCurrentAttributes();
  LoadTableFile(SettingsPath());
  ui_.SetWindowBounds({WinLeft, WinTop, WinWidth, WinHeight});
  ShowTable();
  ui_.SetCaption(Sjis("ホルネ") +
                 Sjis(JwwStore.DrawingSizeMode ? "【図寸モード】" : "【実寸モード】"));
  ui_.SetStatus(NavigationHint());
  FitView();
  ViewReady = true;
  KeysEnabled = true;
  ui_.FocusEdit(EditId::Edit1);
  ChangeStoreOrView(ApplyInitialAttributes);
}

void TForm1::FormResize() {
  if (!Shown()) return;
  const TBounds b = ui_.WindowBounds();
  WinWidth = std::max(b.Width, kMinWinWidth);
  WinHeight = std::max(b.Height, kMinWinHeight);
  if (!ViewReady) return;
  // Centre and scale stay; the picture follows once the size settles.
  const TBounds box = ui_.PaintBoxBounds();
  ChangeStoreOrView([&box] {
    CenterView((Gval.ViewMinX + Gval.ViewMaxX) / 2, (Gval.ViewMinY + Gval.ViewMaxY) / 2, box.Width,
               box.Height);
  });
}

void TForm1::FormResizeSettled() {
  if (!Shown()) return;
  // A picture of the old size would sit in a corner with a second frame; one
  // of this size (a window shown, or sized back and forth) stays.
  if ((RedrawPending() || ViewBitmap) && DrawnAtPaintBoxSize()) return;
  RedrawView();
  ui_.RepaintPreview();
}

void TForm1::TakeWindowBounds() {
  const TBounds b = ui_.WindowBounds();
  WinLeft = b.Left;
  WinTop = b.Top;
  WinWidth = std::max(b.Width, kMinWinWidth);
  WinHeight = std::max(b.Height, kMinWinHeight);
}

void TForm1::FormClose() {
  if (!Shown()) return;
  stage_ = TStage::Closed;
  // Nothing is drawn once the window closes: the store is freed below.
  ViewReady = false;
  ViewBitmap.reset();
  DragBitmap.reset();
  // Closing by the close box or a shortcut leaves the focus in the table, so
  // a cell being typed has not reached it yet.
  ui_.CommitCellEditor();
  TakeWindowBounds();
  SaveTableFile(SettingsPath());
  ChangeStoreOrView([this] {
    if (!SaveJwcTemp(JwcTempPath())) {
      // The host would read nothing, or a cut answer, and the outline would
      // be gone without a word.
      AnswerWritten = false;
      ui_.ShowError(Sjis("JWC_TEMP.TXT に結果を書き込めませんでした。作図は行われません。"));
    }
    FreeStore();
  });
}

void TForm1::Button1Click() {
  if (!Shown()) return;
  ChangeStoreOrView([this] {
    if (Outline.Total() <= 0) {
      QueueMessage(Sjis("ペン作図は行いませんでした。"));
    } else {
      ui_.SetStatus(Sjis("処理中です"));
      QueueLine("hd");
      WriteAll(TWriteOverrides{}, [this](const std::string& sjis) { ui_.SetStatus(sjis); });
    }
  });
  ui_.SetStatus(Sjis("ファイル生成中です"));
  ui_.Close();
}

void TForm1::Button2Click() {
  if (!Shown()) return;
  ui_.Close();
}

void TForm1::Button3Click() {
  if (!Shown()) return;
  if (!ui_.AskYesNo(Sjis("各値をクリアします。よろしいですか？"))) {
    ReturnFocus();
    return;
  }
  ui_.SetEditText(EditId::Edit1, "");
  ui_.SetEditText(EditId::Edit2, "0");
  cells_.SetRows({});
  Area.Exclude.clear();
  area_ = {};
  ShowTable();
  ui_.SetAreaText("");
  ChangeStoreOrView([this] { ResetOutline(Outline); });
  RedrawView();
  ui_.RepaintPreview();
  ReturnFocus();
}

void TForm1::Button4Click() {
  if (!Shown()) return;
  const std::optional<fs::path> path = ui_.OpenTableDialog(LastTableFile);
  ReturnFocus();
  if (!path) return;
  // A table file carries bounds too, but opening one never moves the window.
  const TBounds kept{WinLeft, WinTop, WinWidth, WinHeight};
  LoadTableFile(*path);
  LastTableFile = *path;
  WinLeft = kept.Left;
  WinTop = kept.Top;
  WinWidth = kept.Width;
  WinHeight = kept.Height;
  ShowTable();
}

void TForm1::Button5Click() {
  if (!Shown()) return;
  const std::optional<fs::path> path = ui_.SaveTableDialog(LastTableFile);
  ReturnFocus();
  if (!path) return;
  LastTableFile = *path;
  if (!SaveTableFile(LastTableFile)) {
    ui_.ShowError(Sjis("ファイルを保存できませんでした。保存先のフォルダを確かめて下さい。"));
  }
}

void TForm1::ShowTable() {
  cells_.ClearWarnings();
  ui_.CellsChanged(1, kTableRows);
  ShowCellWarning(std::nullopt);
}

void TForm1::ReturnFocus() {
  ui_.FocusControl(focusPlace_);
}

void TForm1::ControlFocused(ControlId control) {
  if (!Shown()) return;
  if (FormControl(control).TabOrder > 0) focusPlace_ = control;
}

void TForm1::LoadTableFile(const fs::path& path) {
  const TTableFile defaults;
  WinLeft = defaults.WinLeft;
  WinTop = defaults.WinTop;
  WinWidth = defaults.WinWidth;
  WinHeight = defaults.WinHeight;
  LastTableFile.clear();
  const std::optional<TTableFile> t = ReadTableFile(path);
  if (!t) return;
  WinLeft = t->WinLeft;
  WinTop = t->WinTop;
  WinWidth = t->WinWidth;
  WinHeight = t->WinHeight;
  LastTableFile = PathFromSjis(t->LastTableFile);
  ui_.SetEditText(EditId::Edit1, t->Edit1);
  ui_.SetEditText(EditId::Edit2, t->Edit2);
  cells_.SetRows(t->Rows);
  tableOptions_ = t->Options;
  Area = AreaSettingsFromOptions(tableOptions_);
}

bool TForm1::SaveTableFile(const fs::path& path) {
  TTableFile t;
  t.WinLeft = WinLeft;
  t.WinTop = WinTop;
  t.WinWidth = WinWidth;
  t.WinHeight = WinHeight;
  t.LastTableFile = PathToSjis(LastTableFile);
  t.Edit1 = ui_.EditText(EditId::Edit1);
  t.Edit2 = ui_.EditText(EditId::Edit2);
  t.Rows = cells_.Rows();
  t.Options = tableOptions_;
  AreaSettingsToOptions(Area, t.Options);
  return WriteTableFile(path, t);
}

void TForm1::ComputeOutline() {
  const TOutlineResult result =
      ::ComputeOutline({ui_.EditText(EditId::Edit1), ui_.EditText(EditId::Edit2), cells_.Rows()});
  // The area table goes into the store with the outline, so the preview
  // shows exactly what OK sends.
  ChangeStoreOrView([&] {
    AddOutline(result, Outline);
    area_ = ComputeArea(result.Solution, Area);
    if (Area.Table) AddAreaDrawing(result.Solution, area_, Outline);
  });
  for (const int32_t row : result.ErrorRows) cells_.SetCell(kSideColumn, row, Sjis("エラー"));
  ui_.SetAreaText(AreaLine(area_));
  if (!result.Point2Missing) {
    RedrawView();
    ui_.RepaintPreview();
  }
  MarkUnreadCells();
}

void TForm1::StringGrid1ToggleArea(int32_t row) {
  if (row < 1 || row > kTableRows) return;
  ui_.CommitCellEditor();
  Area.ToggleExcluded(row + 2);
  ui_.CellsChanged(row, row);
  ComputeOutline();
}

bool TForm1::RowLeftOut(int32_t row) const {
  return Area.Excluded(row + 2);
}

std::vector<TForm1::TAreaMenuItem> TForm1::AreaMenu() const {
  const TAreaMethod m = Area.Method;
  const TAreaRounding r = Area.Rounding;
  const std::string reason = ShapeReason(area_.Coordinates.Shape);
  std::string coordinates = Sjis("座標法（座標求積表）");
  if (!reason.empty()) coordinates += Sjis("：") + reason;
  // Access keys as Japanese menus show them, a letter in brackets at the end.
  return {{Sjis("ヘロン法（三辺）(&H)"), m == TAreaMethod::Heron},
          {Sjis("三斜法（底辺と高さ）(&S)"), m == TAreaMethod::BaseHeight},
          {coordinates + "(&Z)", m == TAreaMethod::Coordinates, reason.empty()},
          {Sjis("OK で面積表を作図する(&T)"), Area.Table},
          {Sjis("距離を m で入力している(&M)"), Area.Metres},
          {Sjis("座標を測量の向きにする（X 北・Y 東）(&X)"), Area.Axes == TAreaAxes::Survey},
          {Sjis("面積の端数を切り捨てる(&D)"), r == TAreaRounding::Cut},
          {Sjis("面積の端数を四捨五入する(&R)"), r == TAreaRounding::HalfUp},
          {Sjis("面積の端数を切り上げる(&U)"), r == TAreaRounding::Up},
          {Sjis("坪を併記する(&P)"), Area.Tsubo},
          {Sjis("面積表をコピー（表計算へ）(&C)"), false, !area_.Triangles.empty(), false}};
}

void TForm1::AreaMenuChoose(size_t item) {
  const std::vector<TAreaMenuItem> menu = AreaMenu();
  if (item >= menu.size() || !menu[item].Enabled) return;
  switch (item) {
    case 0:
    case 1:
    case 2:
      Area.Method = static_cast<TAreaMethod>(item);
      break;
    case 3:
      Area.Table = !Area.Table;
      break;
    case 4:
      Area.Metres = !Area.Metres;
      break;
    case 5:
      Area.Axes = Area.Axes == TAreaAxes::Survey ? TAreaAxes::Drawing : TAreaAxes::Survey;
      break;
    case 6:
    case 7:
    case 8:
      Area.Rounding = static_cast<TAreaRounding>(item - 6);
      break;
    case 9:
      Area.Tsubo = !Area.Tsubo;
      break;
    default:
      ui_.SetClipboardText(AreaTableTsv(area_));
      return;
  }
  ui_.CommitCellEditor();
  ComputeOutline();
}

void TForm1::MarkUnreadCells() {
  cells_.ClearWarnings();
  const std::optional<TCellWarning> first = MarkCellWarnings(cells_);
  ui_.CellsChanged(1, kTableRows);
  ShowCellWarning(first);
}

void TForm1::ShowCellWarning(const std::optional<TCellWarning>& first) {
  if (first) {
    ui_.SetStatus(first->Status);
  } else if (statusWarns_) {
    ui_.SetStatus(NavigationHint());
  }
  statusWarns_ = first.has_value();
}

void TForm1::StringGrid1CellEdited() {
  MarkUnreadCells();
}

void TForm1::Edit1Exit() {
  if (!Shown()) return;
  ComputeOutline();
}

void TForm1::StringGrid1SelectCell(int32_t /*col*/, int32_t row, int32_t currentRow) {
  if (row != currentRow) ComputeOutline();
}

void TForm1::StringGrid1Enter() {
  KeysEnabled = false;
}

void TForm1::StringGrid1Exit() {
  KeysEnabled = true;
}

void TForm1::StringGrid1Paste() {
  const std::optional<TClipboardText> clip = ui_.ClipboardText();
  if (!clip) return;
  if (!clip->Encodable) {
    ui_.SetStatus(Sjis("貼り付けできません：Shift-JIS で表せない文字があります"));
    return;
  }
  const TCellPos at = ui_.CellCursor();
  const CellBlock block = ParseCellBlock(clip->Sjis);
  if (!PasteCellBlock(cells_, at, block)) {
    ui_.SetStatus(Sjis("貼り付けできません：表に収まりません"));
    return;
  }
  ui_.CellsChanged(at.Row, at.Row + static_cast<int32_t>(block.size()) - 1);
  ComputeOutline();
}

void TForm1::StringGrid1Clear() {
  const TCellRange sel = ui_.CellSelection();
  if (!ClearCellBlock(cells_, sel)) return;
  ui_.CellsChanged(std::min(sel.From.Row, sel.To.Row), std::max(sel.From.Row, sel.To.Row));
  ComputeOutline();
}

void TForm1::StringGrid1Copy() {
  const TCellRange sel = ui_.CellSelection();
  ui_.SetClipboardText(FormatCellBlock(cells_, sel));
}
