// The window under random use: each input is one session of a user at
// TForm1 over the tests' fake front end, in a scratch program folder. The
// user types into the edits and the cells, pastes blocks, presses the
// navigation keys, turns the wheel and drags in the preview, computes, opens
// and saves table files, chooses from the area line's menu and types its
// lists, clears, and ends with OK, cancel or the close box.
// After every step the view is finite and every cell holds what was typed or
// pasted into it, or "エラー" in the side column; at the end the settings
// file reads back to the same table, and the answer for the host reads back
// with the reader and holds only commands the writer sends.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tform1.h"
#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "exchange/tablefile.h"
#include "preview/gval.h"
#include "tests/app/fakefrontend.h"
#include "tests/app/hostfolder.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "tform1_fuzz: %s: %.*s\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

// One scratch program folder for the whole run; each session empties it.
HostFolder& Folder() {
  static HostFolder folder;
  return folder;
}

// The paths a dialog may answer: two table files, a folder (no file can be
// opened or saved there) and a file in a folder that does not exist.
std::optional<fs::path> DialogAnswer(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
      return Folder().Path("a.dlist");
    case 1:
      return Folder().Path("表.dlist");
    case 2:
      return Folder().Path("folder");
    case 3:
      return Folder().Path("gone/c.dlist");
    default:
      return std::nullopt;
  }
}

// Texts a user types: numbers as the computation reads them, the marks
// that make a cell read otherwise, or any bytes.
std::string TypedText(FuzzedDataProvider& in) {
  static const std::array<const char*, 14> kWords = {"",       "1",      "2",    "3",     "10",
                                                     "3.5",    "-4",     "0",    "1e308", "nan",
                                                     "　１　", "エラー", "１０", "9999"};
  std::string text;
  if (in.ConsumeBool()) {
    text = Sjis(kWords[in.ConsumeIntegralInRange<size_t>(0, kWords.size() - 1)]);
  } else {
    text = in.ConsumeRandomLengthString(24);
  }
  // Edits and cell editors hold one line.
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

// A block as a spreadsheet puts it on the clipboard, or any bytes.
std::string PastedBlock(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return in.ConsumeRandomLengthString(64);
  static const std::array<const char*, 3> kBreaks = {"\r\n", "\n", "\r"};
  const char* lineBreak = kBreaks[in.ConsumeIntegralInRange<size_t>(0, kBreaks.size() - 1)];
  std::string block;
  const int rows = in.ConsumeIntegralInRange(1, 4);
  for (int r = 0; r < rows; ++r) {
    if (r > 0) block += lineBreak;
    const int cols = in.ConsumeIntegralInRange(1, 6);
    for (int c = 0; c < cols; ++c) {
      if (c > 0) block += '\t';
      block += TypedText(in);
    }
  }
  if (in.ConsumeBool()) block += lineBreak;
  return block;
}

// The block's rows of cells, read independently of the window's own reader:
// one line break at the end dropped, lines ending in CR LF, LF or CR.
std::vector<std::vector<std::string>> BlockCells(std::string text) {
  if (text.ends_with("\r\n")) {
    text.resize(text.size() - 2);
  } else if (text.ends_with('\n') || text.ends_with('\r')) {
    text.pop_back();
  }
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      rows.emplace_back(1);
    } else if (c == '\t') {
      rows.back().emplace_back();
    } else {
      rows.back().back() += c;
    }
  }
  return rows;
}

int32_t Row(FuzzedDataProvider& in) {
  // Mostly the first rows, where the computation reads; now and then the last.
  if (in.ConsumeIntegralInRange(0, 15) > 0) return in.ConsumeIntegralInRange(1, 12);
  return kTableRows - in.ConsumeIntegralInRange(0, 3);
}

int32_t Pixel(FuzzedDataProvider& in) {
  if (in.ConsumeIntegralInRange(0, 15) > 0) return in.ConsumeIntegralInRange(-50, 500);
  return in.ConsumeIntegral<int32_t>();
}

// Whether a line of the answer is one the writer sends: a keyword it
// defines, alone or with its value run on, or a line's coordinates.
bool WriterLine(std::string_view line) {
  // A message and a font run on to the line's end.
  if (line.starts_with("h#") || line.starts_with("cn\"$")) return true;
  std::string buffer;
  TJwcTokens tokens;
  TokenizeJwcLine(line, buffer, tokens);
  const std::string_view k = tokens.N > 0 ? tokens.T[0] : std::string_view();
  for (std::string_view exact : {"hd", "hq", "bz", "pl", "#", "msg", "ci", "pt", "sl", "sc", "se",
                                 "so", "sg", "z1", "z2", "z3", "z4", "z5"}) {
    if (k == exact) return true;
  }
  for (std::string_view text : kTextKeywords) {
    if (k == text) return true;
  }
  const auto all = [](std::string_view s, std::string_view of) {
    return !s.empty() && s.find_first_not_of(of) == std::string_view::npos;
  };
  for (std::string_view valued : {"lg", "ly", "lc", "lt", "lw", "pn", "cn", "cc"}) {
    if (k.starts_with(valued) && all(k.substr(2), "-0123456789ABCDEFabcdef")) return true;
  }
  return all(k, "+-.0123456789eE");
}

void CheckAnswer(const std::string& bytes) {
  if (bytes.empty() || !bytes.ends_with("\r\n")) Fail("the answer is cut", bytes);
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = bytes.find("\r\n", start);
    const std::string_view line = std::string_view(bytes).substr(start, end - start);
    if (!WriterLine(line)) {
      Fail("the answer holds a command the writer does not send", line);
    }
    start = end + 2;
  }
  InitStore();
  LoadJwcTempFromBytes(bytes);
  FreeStore();
}

// A number of the host's drawing, now and then far off or huge.
std::string Coordinate(FuzzedDataProvider& in) {
  static const std::array<const char*, 6> kFar = {"1e300", "-1e300", "1e-300",
                                                  "1e15",  "-1e11",  "0"};
  if (in.ConsumeIntegralInRange(0, 3) > 0) return std::to_string(in.ConsumeIntegral<int16_t>());
  return kFar[in.ConsumeIntegralInRange<size_t>(0, kFar.size() - 1)];
}

// An entity of the host's drawing after its usual start: a line, a circle,
// a point or a text, where the drawing's extents come from.
std::string HostLine(FuzzedDataProvider& in) {
  static const std::array<const char*, 4> kKeywords = {"", "ci", "pt", "ch"};
  const size_t kind = in.ConsumeIntegralInRange<size_t>(0, kKeywords.size() - 1);
  std::string line = kKeywords[kind];
  for (int i = 0; i < 4; ++i) line += " " + Coordinate(in);
  if (kind == 3) line += " \"道路";
  return line;
}

// The session: the form, its front end, and what the user has put in the
// cells so far.
class Session {
 public:
  explicit Session(FuzzedDataProvider& in) : in_(in), cells_(kTableRows) {
    std::vector<std::string> host = HostFile(in.ConsumeBool());
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) host.push_back(HostLine(in));
    WriteLines(Folder().JwcTempPath(), host);
    if (in.ConsumeBool()) WriteRandomTable(Folder().SettingsPath());
    if (in.ConsumeBool()) WriteRandomTable(Folder().Path("a.dlist"));
    ui_.Preview.OffersLayer = in.ConsumeBool();
    form_.emplace(ui_, Folder().ProgramPath());
    if (const std::optional<TTableFile> t = ReadTableFile(Folder().SettingsPath())) TakeRows(*t);
    form_->FormShow();
    form_->PaintBox1Paint();
    Check();
  }

  // One step; false once the window has closed.
  bool Step() {
    if (in_.remaining_bytes() == 0) return Close();
    switch (in_.ConsumeIntegralInRange(0, 21)) {
      case 0:
        ui_.SetEditText(in_.ConsumeBool() ? EditId::Edit1 : EditId::Edit2, TypedText(in_));
        break;
      case 1:
        form_->Edit1Exit();
        break;
      case 2: {
        const int32_t col = in_.ConsumeIntegralInRange(1, 5);
        const int32_t row = Row(in_);
        const std::string text = TypedText(in_);
        // The cell editor writes straight into the form's cells.
        form_->Cells().SetCell(col, row, text);
        form_->StringGrid1CellEdited();
        cells_[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)] = text;
        break;
      }
      case 3: {
        const TCellPos to{in_.ConsumeIntegralInRange(1, 5), Row(in_)};
        form_->StringGrid1SelectCell(to.Col, to.Row, ui_.Cursor.Row);
        ui_.Cursor = to;
        break;
      }
      case 4:
        Paste();
        break;
      case 5:
        ui_.Selection = {{in_.ConsumeIntegralInRange(1, 5), Row(in_)},
                         {in_.ConsumeIntegralInRange(1, 5), Row(in_)}};
        form_->StringGrid1Copy();
        break;
      case 6:
        form_->FormKeyDown(static_cast<NavKey>(in_.ConsumeIntegralInRange(0, 8)),
                           in_.ConsumeBool());
        break;
      case 7: {
        const int32_t sx = Pixel(in_);
        const int32_t sy = Pixel(in_);
        switch (in_.ConsumeIntegralInRange(0, 3)) {
          case 0:
            form_->FormMouseWheelDown(sx, sy);
            break;
          case 1:
            form_->FormMouseWheelUp(sx, sy);
            break;
          case 2:
            // A touchpad's small deltas, or a wheel's notches.
            form_->FormMouseWheel(sx, sy, in_.ConsumeIntegralInRange(-480, 480));
            break;
          default:
            form_->FormMouseWheel(sx, sy, in_.ConsumeIntegral<int32_t>());
            break;
        }
        break;
      }
      case 8:
        Drag();
        break;
      case 9:
        Open();
        break;
      case 10:
        Save();
        break;
      case 11:
        WriteRandomTable(Folder().Path(in_.ConsumeBool() ? "a.dlist" : "表.dlist"));
        break;
      case 12:
        Clear();
        break;
      case 13:
        ui_.Window = {Pixel(in_), Pixel(in_), in_.ConsumeIntegralInRange(-10, 3000),
                      in_.ConsumeIntegralInRange(-10, 3000)};
        ui_.PaintBox.Width = in_.ConsumeIntegralInRange(0, 1200);
        ui_.PaintBox.Height = in_.ConsumeIntegralInRange(0, 900);
        form_->FormResize();
        if (in_.ConsumeBool()) form_->FormResizeSettled();
        break;
      case 14:
        form_->PaintBox1Paint();
        break;
      case 15:
        // A turn of the event loop: the redraw slices asked for so far run.
        for (const int asked = ui_.SlicesAsked; slicesRun_ < asked; ++slicesRun_) {
          form_->ContinueRedraw();
        }
        break;
      case 16:
        form_->EscapeKeyDown();
        break;
      case 17:
        switch (in_.ConsumeIntegralInRange(0, 2)) {
          case 0:
            form_->StringGrid1Enter();
            break;
          case 1:
            form_->StringGrid1Exit();
            break;
          default:
            form_->ControlFocused(static_cast<ControlId>(
                in_.ConsumeIntegralInRange<int>(0, static_cast<int>(ControlId::Count) - 1)));
            break;
        }
        break;
      case 18:
        form_->Button1Click();
        break;
      case 19:
        form_->Button2Click();
        break;
      case 20:
        AreaMenu();
        break;
      default:
        return Close();
    }
    Check();
    if (ui_.Closes > 0) return Close();
    return true;
  }

 private:
  void WriteRandomTable(const fs::path& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) Fail("cannot write a table file");
    const std::string bytes = in_.ConsumeRandomLengthString(512);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  // The rows a table file sets: its own, and every row after them empty.
  void TakeRows(const TTableFile& t) {
    std::fill(cells_.begin(), cells_.end(), TTableRow{});
    std::copy(t.Rows.begin(), t.Rows.end(), cells_.begin());
  }

  void Paste() {
    const std::string text = PastedBlock(in_);
    const bool encodable = in_.ConsumeIntegralInRange(0, 7) > 0;
    ui_.Clipboard = TClipboardText{encodable, encodable ? text : std::string()};
    const TCellPos at = ui_.Cursor;
    const std::vector<std::vector<std::string>> block = BlockCells(text);
    bool fits = at.Row + static_cast<int32_t>(block.size()) - 1 <= kTableRows;
    for (const std::vector<std::string>& row : block) {
      fits = fits && at.Col + static_cast<int32_t>(row.size()) - 1 <= 5;
    }
    if (encodable && fits) {
      for (size_t r = 0; r < block.size(); ++r) {
        for (size_t c = 0; c < block[r].size(); ++c) {
          cells_[static_cast<size_t>(at.Row - 1) + r][static_cast<size_t>(at.Col - 1) + c] =
              block[r][c];
        }
      }
    }
    form_->StringGrid1Paste();
  }

  void Drag() {
    static constexpr std::array<uint8_t, 4> kButtons = {kMouseLeft, kMouseRight, kMouseMiddle,
                                                        kMouseLeft | kMouseRight};
    form_->PaintBox1MouseDown(kButtons[in_.ConsumeIntegralInRange<size_t>(0, kButtons.size() - 1)],
                              Pixel(in_), Pixel(in_));
    for (int moves = in_.ConsumeIntegralInRange(0, 3); moves > 0; --moves) {
      form_->PaintBox1MouseMove(Pixel(in_), Pixel(in_));
    }
    form_->PaintBox1MouseUp(Pixel(in_), Pixel(in_));
  }

  // An item of the area line's menu: a list typed into its box (asked
  // again while it does not read, until the answers run out), or a file.
  void AreaMenu() {
    for (int n = in_.ConsumeIntegralInRange(0, 3); n > 0; --n) ui_.Typed.push_back(TypedText(in_));
    ui_.Chosen.push_back(DialogAnswer(in_));
    form_->AreaMenuChoose(in_.ConsumeIntegralInRange<size_t>(0, 20));
    ui_.Typed.clear();
    ui_.Chosen.clear();
  }

  void Open() {
    const std::optional<fs::path> path = DialogAnswer(in_);
    ui_.Chosen.push_back(path);
    if (path) {
      if (const std::optional<TTableFile> t = ReadTableFile(*path)) TakeRows(*t);
    }
    form_->Button4Click();
  }

  void Save() {
    const std::optional<fs::path> path = DialogAnswer(in_);
    ui_.Chosen.push_back(path);
    const std::string before = path && fs::is_regular_file(*path) ? ReadBytes(*path) : "";
    const size_t errors = ui_.Errors.size();
    form_->Button5Click();
    if (!path) return;
    if (ui_.Errors.size() > errors) {
      if (fs::is_regular_file(*path) && ReadBytes(*path) != before) {
        Fail("a failed save changed the file");
      }
    } else {
      CheckWritten(*path, "a saved table file");
    }
  }

  void Clear() {
    const bool yes = in_.ConsumeBool();
    ui_.Answers.push_back(yes);
    form_->Button3Click();
    if (!yes) return;
    std::fill(cells_.begin(), cells_.end(), TTableRow{});
    if (!ui_.Edit1.empty() || ui_.Edit2 != "0") Fail("clear left the point-2 edits");
  }

  // The window closes: the front end's close comes once, with FormClose.
  bool Close() {
    form_->FormClose();
    CheckWritten(form_->SettingsPath(), "the settings file");
    CheckAnswer(ReadBytes(Folder().JwcTempPath()));
    return false;
  }

  void Check() {
    ui_.Preview.Clear();
    if (!std::isfinite(Gval.ViewScale) || Gval.ViewScale <= 0 || !std::isfinite(Gval.ViewMinX) ||
        !std::isfinite(Gval.ViewMinY) || !std::isfinite(Gval.ViewMaxX) ||
        !std::isfinite(Gval.ViewMaxY)) {
      Fail("the view is not finite");
    }
    const std::vector<TTableRow>& rows = form_->Cells().Rows();
    if (rows == cells_) return;
    static const std::string kError = Sjis("エラー");
    for (size_t r = 0; r < cells_.size(); ++r) {
      for (size_t c = 0; c < 5; ++c) {
        if (rows[r][c] == cells_[r][c]) continue;
        if (c != 4 || rows[r][c] != kError) Fail("a cell changed by neither typing nor pasting");
        cells_[r][c] = kError;
      }
    }
  }

  // A table file the window wrote holds the edits and the leading rows.
  void CheckWritten(const fs::path& path, const char* what) {
    const std::optional<TTableFile> t = ReadTableFile(path);
    if (!t) Fail(what);
    const size_t n = static_cast<size_t>(LeadingRowCount(cells_));
    if (t->Edit1 != ui_.Edit1 || t->Edit2 != ui_.Edit2 || t->Rows.size() != n ||
        !std::equal(t->Rows.begin(), t->Rows.end(), cells_.begin())) {
      Fail(what);
    }
  }

  FuzzedDataProvider& in_;
  FakeFrontEnd ui_;
  std::optional<TForm1> form_;
  std::vector<TTableRow> cells_;
  int slicesRun_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  for (const char* name : {"horune.dat", "a.dlist", "表.dlist"}) fs::remove(Folder().Path(name));
  fs::create_directories(Folder().Path("folder"));
  Session session(in);
  while (session.Step()) {
  }
  return 0;
}
