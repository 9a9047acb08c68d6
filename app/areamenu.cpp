// Form1's area line: its menu of the area's settings, the lists typed in a
// small box (check distances, setbacks, corner cuts), the copy of the area
// table and the corners saved as a SIMA file.
#include <string>
#include <vector>

#include "app/formcontrols.h"
#include "app/tform1.h"
#include "common/filereplace.h"
#include "common/numbers.h"
#include "common/sjis.h"
#include "common/sjischars.h"
#include "site/areatable.h"
#include "site/sima.h"

namespace fs = std::filesystem;

using C = TAreaCommand;

namespace {

// A list of points with lengths typed in the small box, starting from the
// one given, the example shown in the table's unit; asked again with the
// reason while it does not read; nothing when the user cancels.
std::optional<std::vector<TPointValue>> AskPointValues(FrontEnd& ui, bool metres, const char* title,
                                                       const char* prompt,
                                                       const std::vector<TPointValue>& list,
                                                       bool pairs,
                                                       const std::vector<TPointValue>& example) {
  const std::string ask = Sjis(prompt) + Sjis(metres ? "（長さは m）" : "（長さは mm）") + "\n" +
                          Sjis("例：") + TypedPointValues(example, metres);
  std::string text = TypedPointValues(list, metres);
  std::string note;
  for (;;) {
    const std::optional<std::string> typed = ui.AskText(Sjis(title), note + ask, text);
    if (!typed) return std::nullopt;
    text = Sjis(HalfWidthNumerals(Utf8FromSjis(*typed)));
    std::string bad;
    if (auto read = ParseTypedPointValues(text, pairs, metres, bad)) return read;
    note = Sjis("読めません：") + bad + "\n";
  }
}

// The fixed tolerance of the checks typed in the small box, mm.
std::optional<int64_t> AskToleranceMm(FrontEnd& ui, const TCheckTolerance& tolerance) {
  std::string text =
      tolerance.Rule == TToleranceRule::Fixed ? std::to_string(tolerance.FixedMm) : "";
  std::string note;
  for (;;) {
    const std::optional<std::string> typed = ui.AskText(
        Sjis("検測の許容"), note + Sjis("検測で許す差を mm で入力して下さい（1～10000）。"), text);
    if (!typed) return std::nullopt;
    text = StripBlanks(Sjis(HalfWidthNumerals(Utf8FromSjis(*typed))));
    const int32_t mm = TextToInt(text);
    if (mm >= 1 && mm <= kMaxToleranceMm &&
        text.find_first_not_of("0123456789") == std::string::npos) {
      return mm;
    }
    note = Sjis("読めません：") + text + "\n";
  }
}

}  // namespace

std::vector<TAreaMenuItem> TForm1::AreaMenu() const {
  const TAreaMethod m = Area.Method;
  const TAreaRounding r = Area.Rounding;
  const TToleranceRule t = Area.Tolerance.Rule;
  const std::string reason = ShapeReason(area_.Coordinates.Shape);
  auto because = [&reason](const char* item) {
    return reason.empty() ? Sjis(item) : Sjis(item) + Sjis("：") + reason;
  };
  std::string fixed = Sjis("検測の許容を固定値にする");
  if (t == TToleranceRule::Fixed) fixed += "（" + std::to_string(Area.Tolerance.FixedMm) + "mm）";
  // Access keys as Japanese menus show them, a letter in brackets at the end;
  // an item that asks for more ends in an ellipsis, a list checked once it
  // holds something.
  return {
      {C::Heron, Sjis("ヘロン法（三辺）(&H)"), m == TAreaMethod::Heron},
      {C::BaseHeight, Sjis("三斜法（底辺と高さ）(&S)"), m == TAreaMethod::BaseHeight},
      {C::Coordinates, because("座標法（座標求積表）") + "(&Z)", m == TAreaMethod::Coordinates,
       reason.empty()},
      {C::Table, Sjis("OK で面積表を作図する(&T)"), Area.Table},
      {C::Metres, Sjis("距離を m で入力している(&M)"), Area.Metres},
      {C::Survey, Sjis("座標を測量の向きにする（X 北・Y 東）(&X)"), Area.Axes == TAreaAxes::Survey},
      {C::RoundCut, Sjis("面積の端数を切り捨てる(&D)"), r == TAreaRounding::Cut},
      {C::RoundHalfUp, Sjis("面積の端数を四捨五入する(&R)"), r == TAreaRounding::HalfUp},
      {C::RoundUp, Sjis("面積の端数を切り上げる(&U)"), r == TAreaRounding::Up},
      {C::Tsubo, Sjis("坪を併記する(&P)"), Area.Tsubo},
      {C::Checks, Sjis("検測を入力…(&K)"), !Area.Checks.empty()},
      {C::ToleranceKou2, Sjis("検測の許容を甲二にする（0.04+0.01√S m）(&2)"),
       t == TToleranceRule::Kou2},
      {C::ToleranceKou1, Sjis("検測の許容を甲一にする（0.020+0.003√S m）(&1)"),
       t == TToleranceRule::Kou1},
      {C::ToleranceFixed, fixed + Sjis("…(&F)"), t == TToleranceRule::Fixed},
      {C::DrawChecks, Sjis("OK で検測を作図する(&W)"), Area.DrawChecks},
      {C::Setbacks, Sjis("道路後退を入力…(&B)"), !Area.Setbacks.empty()},
      {C::Cuts, Sjis("隅切りを入力…(&G)"), !Area.Cuts.empty()},
      {C::CutOut, Sjis("隅切りを敷地面積から除く(&O)"), Area.CutOut},
      {C::Copy, Sjis("面積表をコピー（表計算へ）(&C)\tCtrl+C"), false, !area_.Triangles.empty(),
       false},
      {C::Sima, because("SIMA で保存（座標ファイル）") + Sjis("…(&A)"), false, reason.empty(),
       false}};
}

void TForm1::AreaMenuChoose(size_t item) {
  if (!Shown()) return;
  const std::vector<TAreaMenuItem> menu = AreaMenu();
  if (item >= menu.size() || !menu[item].Enabled) return;
  switch (menu[item].Command) {
    case C::Heron:
    case C::BaseHeight:
    case C::Coordinates:
      Area.Method = static_cast<TAreaMethod>(menu[item].Command);
      break;
    case C::Table:
      Area.Table = !Area.Table;
      break;
    case C::Metres:
      Area.Metres = !Area.Metres;
      break;
    case C::Survey:
      Area.Axes = Area.Axes == TAreaAxes::Survey ? TAreaAxes::Drawing : TAreaAxes::Survey;
      break;
    case C::RoundCut:
    case C::RoundHalfUp:
    case C::RoundUp:
      Area.Rounding = static_cast<TAreaRounding>(static_cast<int>(menu[item].Command) -
                                                 static_cast<int>(C::RoundCut));
      break;
    case C::Tsubo:
      Area.Tsubo = !Area.Tsubo;
      break;
    case C::Checks: {
      const auto list = AskPointValues(
          ui_, Area.Metres, "検測",
          "測った距離を「点-点 距離」で、コンマで区切って入力して下さい。空にすると無しです。",
          Area.Checks, true, {{1, 3, 15620}, {2, 4, 12010}});
      if (!list) return;
      Area.Checks = *list;
      break;
    }
    case C::ToleranceKou2:
      Area.Tolerance = {};
      break;
    case C::ToleranceKou1:
      Area.Tolerance = {TToleranceRule::Kou1, 0};
      break;
    case C::ToleranceFixed: {
      const std::optional<int64_t> mm = AskToleranceMm(ui_, Area.Tolerance);
      if (!mm) return;
      Area.Tolerance = {TToleranceRule::Fixed, *mm};
      break;
    }
    case C::DrawChecks:
      Area.DrawChecks = !Area.DrawChecks;
      break;
    case C::Setbacks: {
      const auto list = AskPointValues(ui_, Area.Metres, "道路後退",
                                       "道路に面する外周の辺と後退する距離を「点-点 "
                                       "距離」で入力して下さい。空にすると無しです。",
                                       Area.Setbacks, true, {{1, 2, 300}});
      if (!list) return;
      Area.Setbacks = *list;
      break;
    }
    case C::Cuts: {
      const auto list = AskPointValues(ui_, Area.Metres, "隅切り",
                                       "隅切りする角の点と隅切りの長さ（底辺）を「点 "
                                       "長さ」で入力して下さい。空にすると無しです。",
                                       Area.Cuts, false, {{1, 0, 2000}, {4, 0, 3000}});
      if (!list) return;
      Area.Cuts = *list;
      break;
    }
    case C::CutOut:
      Area.CutOut = !Area.CutOut;
      break;
    case C::Copy:
      LabelAreaCopy();
      return;
    case C::Sima:
      SaveSimaFile();
      return;
  }
  ui_.CommitCellEditor();
  ComputeOutline();
}

void TForm1::LabelAreaCopy() {
  if (!Shown() || area_.Triangles.empty()) return;
  ui_.SetClipboardText(AreaTableTsv(area_));
  ui_.SetStatus(Sjis("面積表をコピーしました（表計算に貼り付けられます）"));
}

void TForm1::SaveSimaFile() {
  fs::path start = LastTableFile;
  if (!start.empty()) start.replace_extension(".sim");
  const std::optional<fs::path> path = ui_.SaveTableDialog(start, TFileKind::Sima);
  ReturnFocus();
  if (!path) return;
  if (!ReplaceFileBytes(*path, SimaFile(area_))) {
    ui_.ShowError(Sjis("ファイルを保存できませんでした。保存先のフォルダを確かめて下さい。"));
  }
}
