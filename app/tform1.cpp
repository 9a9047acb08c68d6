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

TForm1::TForm1(FrontEnd& ui, fs::path programPath)
    : Preview(ui), ui_(ui), programPath_(std::move(programPath)) {
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
  CreateGraAttribute();
  Outline = {};
}

void TForm1::FormShow() {
  if (stage_ != TStage::Created) return;
  stage_ = TStage::Shown;
  Preview.Open();
  readAhead_.get();
  ResetCurrentAttributes();
  LoadTableFile(SettingsPath());
  // Nothing is computed at start-up: the empty outline stands for the table
  // as the settings file kept it.
  computed_ = ShownInput();
  ui_.SetWindowBounds({WinLeft, WinTop, WinWidth, WinHeight});
  ShowTable();
  ui_.SetCaption(Sjis("ホルネ") +
                 Sjis(JwwStore.DrawingSizeMode ? "【図寸モード】" : "【実寸モード】"));
  ui_.SetStatus(NavigationHint());
  Preview.FitView();
  Preview.ViewReady = true;
  Preview.KeysEnabled = true;
  ui_.FocusEdit(EditId::Edit1);
  Preview.ChangeStoreOrView(ApplyInitialAttributes);
}

void TForm1::FormResize() {
  if (!Shown()) return;
  const TBounds b = ui_.WindowBounds();
  WinWidth = std::max(b.Width, kMinWinWidth);
  WinHeight = std::max(b.Height, kMinWinHeight);
  Preview.Resized();
}

void TForm1::FormResizeSettled() {
  Preview.SizeSettled();
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
  Preview.Close();
  // Closing by the close box or a shortcut leaves the focus in the table, so
  // a cell being typed has not reached it yet.
  ui_.CommitCellEditor();
  TakeWindowBounds();
  if (!SaveTableFile(SettingsPath())) {
    // The table typed in this run would be gone at the next start.
    const std::string name = PathToSjis(SettingsPath().filename());
    ui_.ShowError(Sjis("設定ファイル") + (name.empty() ? "" : " " + name + " ") +
                  Sjis("に表を保存できませんでした。入力した表は次回に残りません。"));
  }
  Preview.ChangeStoreOrView([this] {
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
  // What was typed last, in a cell still being edited or in a box not left,
  // is sent as the window shows it.
  ui_.CommitCellEditor();
  if (!(ShownInput() == computed_)) ComputeOutline();
  Preview.ChangeStoreOrView([this] {
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
  Preview.ChangeStoreOrView([this] { ResetOutline(Outline); });
  computed_ = ShownInput();
  Preview.RedrawView();
  ui_.RepaintPreview();
  ReturnFocus();
}

void TForm1::Button4Click() {
  if (!Shown()) return;
  const std::optional<fs::path> path = ui_.OpenTableDialog(LastTableFile);
  ReturnFocus();
  if (!path) return;
  // A table file carries bounds too, but opening one never moves the window.
  const std::optional<TTableFile> t = ReadTableFile(*path);
  if (!t) {
    ui_.ShowError(Sjis("ファイルを開けませんでした。ファイルを確かめて下さい。"));
    return;
  }
  ApplyTable(*t);
  LastTableFile = *path;
  ShowTable();
  // The preview and the area line show the table opened, not the one before.
  ComputeOutline();
}

void TForm1::Button5Click() {
  if (!Shown()) return;
  const std::optional<fs::path> path = ui_.SaveTableDialog(LastTableFile, TFileKind::Table);
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
  ApplyTable(*t);
}

void TForm1::ApplyTable(const TTableFile& t) {
  ui_.SetEditText(EditId::Edit1, t.Edit1);
  ui_.SetEditText(EditId::Edit2, t.Edit2);
  cells_.SetRows(t.Rows);
  tableOptions_ = t.Options;
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

TOutlineInput TForm1::ShownInput() const {
  const std::vector<TTableRow>& rows = cells_.Rows();
  return {ui_.EditText(EditId::Edit1),
          ui_.EditText(EditId::Edit2),
          {rows.begin(), rows.begin() + LeadingRowCount(rows)}};
}

void TForm1::ComputeOutline() {
  computed_ = ShownInput();
  const TOutlineResult result = ::ComputeOutline(computed_);
  // The area table goes into the store with the outline, so the preview
  // shows exactly what OK sends.
  Preview.ChangeStoreOrView([&] {
    AddOutline(result, Outline);
    area_ = ComputeArea(result.Solution, Area);
    AddAreaDrawing(result.Solution, area_, Outline);
  });
  // Marked, not written: the side flag typed counts again once the row meets.
  cells_.ClearMarks();
  for (const int32_t row : result.ErrorRows) cells_.SetMark(kSideColumn, row, Sjis("エラー"));
  ui_.SetAreaText(AreaLine(area_));
  if (!result.Point2Missing) {
    Preview.RedrawView();
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
  Preview.KeysEnabled = false;
}

void TForm1::StringGrid1Exit() {
  Preview.KeysEnabled = true;
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
