// The window under random use: each input is one session of a user at
// TForm1 over the tests' fake front end, in a scratch program folder. The
// host's drawing may hold thousands of texts, and every redraw goes in
// slices of no time at all, with the event loop's turns between the user's
// actions, so the user acts while a redraw (and its texts' thread) stands
// paused. The user types into the edits and the cells, pastes blocks,
// presses the navigation keys, turns the wheel and drags in the preview,
// computes, leaves points out of the area and chooses from the area line's
// menu (typing its lists), opens and saves table files, clears, and ends
// with OK, cancel or the close box. After every step the view is finite
// and every cell holds what was typed or pasted into it; a pasted block
// copies back as it was pasted; at the end the settings file reads back to
// the same table, and the answer for the host holds only commands the
// writer sends, and after OK the corners an independent model
// (tablemodel.h) finds for the table on screen.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cellblock.h"
#include "app/tform1.h"
#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "exchange/tablefile.h"
#include "fuzz/tablemodel.h"
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

template <size_t N>
const char* Pick(FuzzedDataProvider& in, const std::array<const char*, N>& words) {
  return words[in.ConsumeIntegralInRange<size_t>(0, N - 1)];
}

// Texts a user types: numbers as the computation reads them, the marks
// that make a cell read otherwise, or any bytes.
std::string TypedText(FuzzedDataProvider& in) {
  static const std::array<const char*, 14> kWords = {"",       "1",      "2",    "3",     "10",
                                                     "3.5",    "-4",     "0",    "1e308", "nan",
                                                     "　１　", "エラー", "１０", "9999"};
  std::string text;
  if (in.ConsumeBool()) {
    text = Sjis(Pick(in, kWords));
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
  const char* lineBreak = Pick(in, kBreaks);
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

// A block read holds the text: its cells, joined by tabs and its rows by
// line breaks, give the text back with every line break (CR LF, LF or CR)
// one LF and one at the end dropped, and no cell holds a separator.
void CheckBlockReading(const std::string& text, const CellBlock& block) {
  std::string lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i] == '\r' ? '\n' : text[i];
  }
  if (lines.ends_with('\n')) lines.pop_back();
  std::string joined;
  for (size_t r = 0; r < block.size(); ++r) {
    if (r > 0) joined += '\n';
    for (size_t c = 0; c < block[r].size(); ++c) {
      if (block[r][c].find_first_of("\t\r\n") != std::string::npos) {
        Fail("a pasted cell holds a separator", block[r][c]);
      }
      if (c > 0) joined += '\t';
      joined += block[r][c];
    }
  }
  if (joined != lines) Fail("a pasted block is not the text pasted", text);
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

std::vector<std::string_view> AnswerLines(const std::string& bytes) {
  if (bytes.empty() || !bytes.ends_with("\r\n")) Fail("the answer is cut", bytes);
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = bytes.find("\r\n", start);
    lines.push_back(std::string_view(bytes).substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void CheckAnswerSyntax(const std::string& bytes) {
  for (std::string_view line : AnswerLines(bytes)) {
    if (!WriterLine(line)) Fail("the answer holds a command the writer does not send", line);
  }
  InitStore();
  LoadJwcTempFromBytes(bytes);
  FreeStore();
}

// A corner the answer draws: its marker ("pt x y") and the number its label
// ("ch x y 1 0 "n", after the marker) gives it.
struct SentPoint {
  int64_t Number = 0;
  double X = 0.0;
  double Y = 0.0;
};

std::vector<SentPoint> SentPoints(const std::string& bytes) {
  std::vector<SentPoint> points;
  std::optional<SentPoint> marker;
  for (std::string_view line : AnswerLines(bytes)) {
    if (line.starts_with("pt ")) {
      if (marker) Fail("a corner without its number", line);
      const std::string numbers(line.substr(3));
      char* end = nullptr;
      marker = SentPoint{0, std::strtod(numbers.c_str(), &end), 0.0};
      marker->Y = std::strtod(end, &end);
      if (*end != '\0') Fail("a corner's marker is not two numbers", line);
    } else if (marker && line.starts_with("ch ")) {
      const std::string_view label = line.substr(std::min(line.find('"'), line.size() - 1) + 1);
      if (label.empty() || label.size() > 5 || !tablemodel::NumberBytesOnly(label, "0123456789")) {
        Fail("a corner's label is not its number", line);
      }
      marker->Number = std::strtoll(std::string(label).c_str(), nullptr, 10);
      points.push_back(*marker);
      marker.reset();
    }
  }
  if (marker) Fail("a corner without its number");
  return points;
}

// The answer's corners are the model's: in the table's order, every counted
// one where the model puts it, none whose circles do not meet and none past
// the table's end.
void CheckSentPoints(const tablemodel::Outline& model, const std::vector<SentPoint>& sent) {
  using tablemodel::Fate;
  const auto missing = [&model](int64_t from, int64_t to) {
    for (int64_t n = from; n < to && n <= static_cast<int64_t>(model.Points.size()); ++n) {
      if (model.Points[static_cast<size_t>(n) - 1].Kind == Fate::Counted) {
        Fail("a counted row's corner is not sent", std::to_string(n));
      }
    }
  };
  int64_t last = 0;
  for (const SentPoint& s : sent) {
    const std::string what =
        std::to_string(s.Number) + " at " + std::to_string(s.X) + " " + std::to_string(s.Y);
    if (s.Number <= last) Fail("the corners are not in the table's order", what);
    missing(last + 1, s.Number);
    last = s.Number;
    if (s.Number > static_cast<int64_t>(model.Points.size())) {
      if (model.Complete) Fail("a corner past the table's end", what);
      continue;
    }
    const tablemodel::Point& p = model.Points[static_cast<size_t>(s.Number) - 1];
    if (p.Kind == Fate::Fails) Fail("a corner whose circles do not meet", what);
    // The answer's 15 significant digits.
    const tablemodel::Real tolerance =
        p.Tolerance + 1e-14L * (std::fabs(p.X) + std::fabs(p.Y)) + 1e-300L;
    if (p.Kind == Fate::Counted &&
        (std::fabs(s.X - p.X) > tolerance || std::fabs(s.Y - p.Y) > tolerance)) {
      Fail("a corner is not where its distances put it",
           what + ", not " + std::to_string(static_cast<double>(p.X)) + " " +
               std::to_string(static_cast<double>(p.Y)));
    }
  }
  missing(last + 1, static_cast<int64_t>(model.Points.size()) + 1);
}

// A number of the host's drawing, now and then far off or huge.
std::string Coordinate(FuzzedDataProvider& in) {
  static const std::array<const char*, 6> kFar = {"1e300", "-1e300", "1e-300",
                                                  "1e15",  "-1e11",  "0"};
  if (in.ConsumeIntegralInRange(0, 3) > 0) return std::to_string(in.ConsumeIntegral<int16_t>());
  return Pick(in, kFar);
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

// Texts by the thousand from a few bytes: how many, which text, the grid
// they lie on (pitch and width), every how many one lies far off (so whole
// blocks fall outside the view), and whether they change layer as they go.
// More texts than a block of the store (1000) once let a redraw read past
// their end.
void AddHostTexts(FuzzedDataProvider& in, std::vector<std::string>& host) {
  static const std::array<const char*, 8> kTexts = {"A",  "道路",   "境界杭12", "１",
                                                    "$J", "^u上付", "%d",       "A B"};
  const size_t text = in.ConsumeIntegralInRange<size_t>(0, kTexts.size() - 1);
  // Variables are worked out at every draw: fewer of them keep a session short.
  const int count = in.ConsumeIntegralInRange(900, text == 4 || text == 6 ? 1500 : 6000);
  const int pitch = in.ConsumeIntegralInRange(1, 400);
  const int width = in.ConsumeIntegralInRange(1, 200);
  const int farEvery = in.ConsumeIntegralInRange(0, 40);
  const bool layers = in.ConsumeBool();
  for (int i = 0; i < count; ++i) {
    if (layers && i % 97 == 0) host.push_back("ly" + std::string(1, "0123456789ABCDEF"[i % 16]));
    const int far = farEvery > 0 && i % farEvery == 0 ? 10'000'000 : 0;
    host.push_back("ch " + std::to_string(i % width * pitch + far) + " " +
                   std::to_string(i / width * pitch) + " 1 0 \"" + kTexts[text]);
  }
}

// What a computation reads of the window: the point-2 edits and the rows
// before the first blank one.
struct ShownInput {
  std::string Edit1;
  std::string Edit2;
  std::vector<TTableRow> Rows;
  bool operator==(const ShownInput&) const = default;
};

// The session: the form, its front end, and what the user has put in the
// cells so far.
class Session {
 public:
  explicit Session(FuzzedDataProvider& in) : in_(in), cells_(kTableRows) {
    std::vector<std::string> host = HostFile(in.ConsumeBool());
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) host.push_back(HostLine(in));
    if (in.ConsumeIntegralInRange(0, 3) == 0) AddHostTexts(in, host);
    WriteLines(Folder().JwcTempPath(), host);
    if (in.ConsumeBool()) WriteRandomTable(Folder().SettingsPath());
    if (in.ConsumeBool()) WriteRandomTable(Folder().Path("a.dlist"));
    ui_.Preview.OffersLayer = in.ConsumeBool();
    form_.emplace(ui_, Folder().ProgramPath());
    // Every slice ends at its first chance: a redraw pauses wherever it can.
    form_->Preview.RedrawSlice = {};
    if (const std::optional<TTableFile> t = ReadTableFile(Folder().SettingsPath())) TakeRows(*t);
    form_->FormShow();
    form_->Preview.PaintBox1Paint();
    uncomputed_ = Shown();
    Check();
  }

  // One step and the event loop's turn after it; false once the window has
  // closed.
  bool Step() {
    if (in_.remaining_bytes() == 0) return Close(Ending::CloseBox);
    switch (in_.ConsumeIntegralInRange(0, 25)) {
      case 0:
        ui_.SetEditText(in_.ConsumeBool() ? EditId::Edit1 : EditId::Edit2, TypedText(in_));
        break;
      case 1:
        form_->Edit1Exit();
        Computed();
        break;
      case 2: {
        const int32_t col = in_.ConsumeIntegralInRange(1, 5);
        const int32_t row = Row(in_);
        SetCell(col, row, TypedText(in_));
        break;
      }
      case 3: {
        const TCellPos to{in_.ConsumeIntegralInRange(1, 5), Row(in_)};
        form_->StringGrid1SelectCell(to.Col, to.Row, ui_.Cursor.Row);
        if (to.Row != ui_.Cursor.Row) Computed();
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
        form_->Preview.FormKeyDown(static_cast<NavKey>(in_.ConsumeIntegralInRange(0, 8)),
                                   in_.ConsumeBool());
        break;
      case 7:
        Wheel();
        break;
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
        form_->Preview.PaintBox1Paint();
        break;
      case 15:
        // The user waits: many turns of the event loop, a long redraw's
        // slices one after another.
        RunSlices(in_.ConsumeIntegralInRange(1, 200));
        break;
      case 16:
        form_->Preview.EscapeKeyDown();
        break;
      case 17:
        Focus();
        break;
      case 18:
        TypeRow();
        break;
      case 19:
        ChooseAreaItem();
        break;
      case 20:
        ToggleArea();
        break;
      case 21:
        ClearCells();
        break;
      case 22:
        // A layer whose glyphs take a real one's time, or none.
        ui_.Preview.LayerGlyphTime = std::chrono::microseconds(in_.ConsumeIntegralInRange(0, 200));
        break;
      case 23:
        form_->Button1Click();
        return Close(Ending::Ok);
      case 24:
        form_->Button2Click();
        return Close(Ending::Cancel);
      default:
        return Close(Ending::CloseBox);
    }
    RunSlices(1);
    Check();
    if (ui_.Closes > 0) Fail("the window closed of itself");
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

  // The event loop's turns: each runs the redraw slice the form asked for,
  // when it asked for one.
  void RunSlices(int turns) {
    for (; turns > 0 && slicesRun_ < ui_.SlicesAsked; --turns) {
      ++slicesRun_;
      form_->Preview.ContinueRedraw();
    }
  }

  ShownInput Shown() const {
    return {ui_.Edit1, ui_.Edit2,
            std::vector<TTableRow>(cells_.begin(), cells_.begin() + LeadingRowCount(cells_))};
  }

  // An action that computes: OK sends a computation's outline from now on.
  void Computed() { uncomputed_.reset(); }

  // The rows a table file sets: its own, and every row after them empty.
  void TakeRows(const TTableFile& t) {
    std::fill(cells_.begin(), cells_.end(), TTableRow{});
    std::copy(t.Rows.begin(), t.Rows.end(), cells_.begin());
    Touched(static_cast<int32_t>(t.Rows.size()));
  }

  // The steps compare the rows the user may have filled; the end, all.
  void Touched(int32_t row) {
    if (row <= kTableRows / 2) {
      firstRows_ = std::max(firstRows_, row);
    } else {
      lastRows_ = std::min(lastRows_, row);
    }
  }

  // The cell editor writes straight into the form's cells.
  void SetCell(int32_t col, int32_t row, const std::string& text) {
    form_->Cells().SetCell(col, row, text);
    form_->StringGrid1CellEdited();
    cells_[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)] = text;
    Touched(row);
  }

  // A whole row as a user types one, mostly the next after the table's
  // rows: partners among the points before it, the sides of a few
  // triangles, a side flag.
  void TypeRow() {
    static const std::array<const char*, 10> kDistances = {"3",  "4",  "5",   "6",   "8",
                                                           "10", "12", "2.5", "7.5", "0.5"};
    static const std::array<const char*, 4> kSides = {"0", "1", "", "2"};
    const int32_t row = in_.ConsumeBool() ? std::min(LeadingRowCount(cells_) + 1, kTableRows)
                                          : in_.ConsumeIntegralInRange(1, 8);
    const auto partner = [&] { return std::to_string(in_.ConsumeIntegralInRange(1, row + 2)); };
    const std::array<std::string, 5> texts = {partner(), Pick(in_, kDistances), partner(),
                                              Pick(in_, kDistances), Pick(in_, kSides)};
    for (int32_t col = 1; col <= 5; ++col) SetCell(col, row, texts[col - 1]);
  }

  // Ctrl+V, and the block copied back from where it went.
  void Paste() {
    const std::string text = PastedBlock(in_);
    const bool encodable = in_.ConsumeIntegralInRange(0, 7) > 0;
    ui_.Clipboard = TClipboardText{encodable, encodable ? text : std::string()};
    const TCellPos at = ui_.Cursor;
    const CellBlock block = ParseCellBlock(text);
    CheckBlockReading(text, block);
    size_t cols = 0;
    for (const std::vector<std::string>& row : block) cols = std::max(cols, row.size());
    const TCellPos to{at.Col + static_cast<int32_t>(cols) - 1,
                      at.Row + static_cast<int32_t>(block.size()) - 1};
    form_->StringGrid1Paste();
    if (!encodable || to.Col > 5 || to.Row > kTableRows) return;
    Computed();
    Touched(at.Row);
    Touched(to.Row);
    for (size_t r = 0; r < block.size(); ++r) {
      for (size_t c = 0; c < block[r].size(); ++c) {
        cells_[static_cast<size_t>(at.Row - 1) + r][static_cast<size_t>(at.Col - 1) + c] =
            block[r][c];
      }
    }
    // A cell typed with a tab in it copies as two: the check needs none.
    for (int32_t r = at.Row; r <= to.Row; ++r) {
      for (int32_t c = at.Col; c <= to.Col; ++c) {
        if (Cell(c, r).find_first_of("\t\r\n") != std::string::npos) return;
      }
    }
    ui_.Selection = {at, to};
    form_->StringGrid1Copy();
    if (!ui_.Clipboard) Fail("copy left the clipboard empty");
    const CellBlock copied = ParseCellBlock(ui_.Clipboard->Sjis);
    if (copied.size() != block.size()) Fail("a pasted block copies back in other rows");
    for (int32_t r = at.Row; r <= to.Row; ++r) {
      const std::vector<std::string>& line = copied[static_cast<size_t>(r - at.Row)];
      if (line.size() != cols) Fail("a pasted block copies back in other columns");
      for (int32_t c = at.Col; c <= to.Col; ++c) {
        if (line[static_cast<size_t>(c - at.Col)] != Cell(c, r)) {
          Fail("a pasted cell copies back otherwise", line[static_cast<size_t>(c - at.Col)]);
        }
      }
    }
  }

  const std::string& Cell(int32_t col, int32_t row) const {
    return cells_[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)];
  }

  void Wheel() {
    const int32_t sx = Pixel(in_);
    const int32_t sy = Pixel(in_);
    switch (in_.ConsumeIntegralInRange(0, 3)) {
      case 0:
        form_->Preview.FormMouseWheelDown(sx, sy);
        break;
      case 1:
        form_->Preview.FormMouseWheelUp(sx, sy);
        break;
      case 2:
        // A touchpad's small deltas, or a wheel's notches.
        form_->Preview.FormMouseWheel(sx, sy, in_.ConsumeIntegralInRange(-480, 480));
        break;
      default:
        form_->Preview.FormMouseWheel(sx, sy, in_.ConsumeIntegral<int32_t>());
        break;
    }
  }

  void Drag() {
    static constexpr std::array<uint8_t, 4> kButtons = {kMouseLeft, kMouseRight, kMouseMiddle,
                                                        kMouseLeft | kMouseRight};
    form_->Preview.PaintBox1MouseDown(
        kButtons[in_.ConsumeIntegralInRange<size_t>(0, kButtons.size() - 1)], Pixel(in_),
        Pixel(in_));
    for (int moves = in_.ConsumeIntegralInRange(0, 3); moves > 0; --moves) {
      form_->Preview.PaintBox1MouseMove(Pixel(in_), Pixel(in_));
      // The event loop turns while the button is held.
      RunSlices(1);
    }
    form_->Preview.PaintBox1MouseUp(Pixel(in_), Pixel(in_));
  }

  void Focus() {
    switch (in_.ConsumeIntegralInRange(0, 2)) {
      case 0:
        form_->StringGrid1Enter();
        break;
      case 1:
        form_->StringGrid1Exit();
        break;
      default: {
        const auto control = static_cast<ControlId>(
            in_.ConsumeIntegralInRange<int>(0, static_cast<int>(ControlId::Count) - 1));
        form_->ControlFocused(control);
        // Leaving point 2's edits for another control computes.
        if ((focused_ == ControlId::Edit1 || focused_ == ControlId::Edit2) && focused_ != control) {
          Computed();
        }
        focused_ = control;
        break;
      }
    }
  }

  // What a user types into the area menu's box: a list of point pairs or
  // points with lengths ("1-2 3.5, 4 2"), or any text.
  std::string ListText() {
    if (in_.ConsumeBool()) return TypedText(in_);
    std::string list;
    for (int n = in_.ConsumeIntegralInRange(0, 3); n > 0; --n) {
      if (!list.empty()) list += ", ";
      list += std::to_string(in_.ConsumeIntegralInRange(1, 9));
      if (in_.ConsumeBool()) list += "-" + std::to_string(in_.ConsumeIntegralInRange(1, 9));
      list += " " + std::to_string(in_.ConsumeIntegralInRange(0, 20000));
    }
    return list;
  }

  // The area line's menu, with the answers for a box it may ask (asked
  // again while they do not read, cancelled once they run out) and for a
  // save dialog. A setting chosen without a box is checked after, unless it
  // was a switch that was on; any other item whose mark changes is one that
  // was checked, a choice beside it, and then the chosen one is checked. A
  // command, an item offered greyed, or none changes no mark.
  void ChooseAreaItem() {
    const int answers = in_.ConsumeIntegralInRange(0, 3);
    for (int n = answers; n > 0; --n) ui_.Typed.push_back(ListText());
    ui_.Chosen.push_back(DialogAnswer(in_));
    const size_t asked = ui_.Prompts.size();
    const std::vector<TAreaMenuItem> before = form_->AreaMenu();
    const size_t item = in_.ConsumeIntegralInRange<size_t>(0, before.size());
    form_->AreaMenuChoose(item);
    ui_.Typed.clear();
    ui_.Chosen.clear();
    const size_t boxes = ui_.Prompts.size() - asked;
    const std::vector<TAreaMenuItem> after = form_->AreaMenu();
    if (after.size() != before.size()) Fail("the area menu changed its items");
    const bool setting = item < before.size() && before[item].Enabled && before[item].Checkable;
    for (size_t i = 0; i < after.size(); ++i) {
      const bool changed = after[i].Checked != before[i].Checked;
      if (!setting && changed) Fail("an area menu item changed its mark unchosen", after[i].Text);
      if (!setting || i == item) continue;
      if (changed && (after[i].Checked || !after[item].Checked)) {
        Fail("an area menu item changed its mark unchosen", after[i].Text);
      }
    }
    if (setting && boxes == 0 && !before[item].Checked && !after[item].Checked) {
      Fail("an area setting chosen is not checked", after[item].Text);
    }
    // A box cancelled changes nothing; anything else chosen computes.
    if (setting && boxes <= static_cast<size_t>(answers)) Computed();
  }

  // Delete on the table: the selected block empties, and a block that held
  // any text computes.
  void ClearCells() {
    const TCellRange range = {{in_.ConsumeIntegralInRange(1, 5), Row(in_)},
                              {in_.ConsumeIntegralInRange(1, 5), Row(in_)}};
    ui_.Selection = range;
    Touched(range.From.Row);
    Touched(range.To.Row);
    bool held = false;
    for (int32_t r = std::min(range.From.Row, range.To.Row);
         r <= std::max(range.From.Row, range.To.Row); ++r) {
      for (int32_t c = std::min(range.From.Col, range.To.Col);
           c <= std::max(range.From.Col, range.To.Col); ++c) {
        std::string& cell = cells_[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 1)];
        held = held || !cell.empty();
        cell.clear();
      }
    }
    form_->StringGrid1Clear();
    if (held) Computed();
  }

  // A row's point left out of the area or taken back in; a row outside the
  // table changes nothing.
  void ToggleArea() {
    const int32_t row =
        in_.ConsumeIntegralInRange(0, 7) > 0 ? Row(in_) : in_.ConsumeIntegral<int32_t>();
    const bool inside = row >= 1 && row <= kTableRows;
    const bool before = inside && form_->RowLeftOut(row);
    form_->StringGrid1ToggleArea(row);
    if (!inside) return;
    if (form_->RowLeftOut(row) == before) Fail("a row's point did not change sides of the area");
    Computed();
  }

  void Open() {
    const std::optional<fs::path> path = DialogAnswer(in_);
    ui_.Chosen.push_back(path);
    // A table opened is computed.
    const std::optional<TTableFile> t = path ? ReadTableFile(*path) : std::nullopt;
    if (t) {
      TakeRows(*t);
      Computed();
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
    uncomputed_ = Shown();
  }

  enum class Ending { Ok, Cancel, CloseBox };

  // The window closes: OK and cancel ask the front end to close it, the
  // close box closes it, and then FormClose comes once.
  bool Close(Ending how) {
    if ((how != Ending::CloseBox) != (ui_.Closes == 1)) Fail("a button did not close the window");
    form_->FormClose();
    CheckCells(1, kTableRows);
    CheckWritten(form_->SettingsPath(), "the settings file");
    const std::string answer = ReadBytes(Folder().JwcTempPath());
    CheckAnswerSyntax(answer);
    if (how == Ending::Ok) {
      CheckOk(answer);
    } else if (answer != "hq\r\n") {
      Fail("closing without OK sent more than hq", answer);
    }
    return false;
  }

  // OK sends what the window shows: the message that nothing was drawn only
  // while nothing has been computed since the window showed or was cleared
  // and the table is as it was then, else the corners of the table shown.
  void CheckOk(const std::string& answer) {
    if (answer == Sjis("h#ペン作図は行いませんでした。") + "\r\n") {
      if (!uncomputed_ || !(*uncomputed_ == Shown())) Fail("OK sent nothing for a table shown");
      return;
    }
    if (!answer.starts_with("hd\r\n")) Fail("OK sent neither a drawing nor the message", answer);
    CheckSentPoints(tablemodel::ModelOutline(ui_.Edit1, ui_.Edit2, cells_), SentPoints(answer));
  }

  void Check() {
    ui_.Preview.Clear();
    if (!std::isfinite(Gval.ViewScale) || Gval.ViewScale <= 0 || !std::isfinite(Gval.ViewMinX) ||
        !std::isfinite(Gval.ViewMinY) || !std::isfinite(Gval.ViewMaxX) ||
        !std::isfinite(Gval.ViewMaxY)) {
      Fail("the view is not finite");
    }
    CheckCells(1, firstRows_);
    CheckCells(lastRows_, kTableRows);
  }

  // The cells of rows first..last hold what was typed or pasted.
  void CheckCells(int32_t first, int32_t last) {
    const std::vector<TTableRow>& rows = form_->Cells().Rows();
    for (int32_t r = first; r <= last; ++r) {
      if (rows[static_cast<size_t>(r - 1)] != cells_[static_cast<size_t>(r - 1)]) {
        Fail("a cell changed by neither typing nor pasting", std::to_string(r));
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
  // Rows 1..firstRows_ and lastRows_..kTableRows may hold text.
  int32_t firstRows_ = 0;
  int32_t lastRows_ = kTableRows + 1;
  // What the window showed when it last had no computation behind it (at
  // start, after a clear); nothing once an action has computed.
  std::optional<ShownInput> uncomputed_;
  std::optional<ControlId> focused_;
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
