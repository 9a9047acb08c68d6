// The table grid's keyboard as a spreadsheet user types: keys go to the grid
// window and to its in-place editor as the system would deliver them.
#include "ui/win32/cellgrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/formcontrols.h"
#include "common/sjis.h"

namespace {

enum class To { Grid, Editor };

struct Input {
  To target;
  UINT message;  // WM_KEYDOWN or WM_CHAR
  WPARAM code;
};

Input Key(WPARAM vk) {
  return {To::Grid, WM_KEYDOWN, vk};
}
Input Char(wchar_t c) {
  return {To::Grid, WM_CHAR, static_cast<WPARAM>(c)};
}
Input EditKey(WPARAM vk) {
  return {To::Editor, WM_KEYDOWN, vk};
}
Input EditChar(wchar_t c) {
  return {To::Editor, WM_CHAR, static_cast<WPARAM>(c)};
}

struct Moves {
  std::vector<std::string> reported;  // "col,row<-current"
};

class GridHost {
 public:
  GridHost() {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 400, nullptr,
                              nullptr, nullptr, nullptr);
    CellGrid::Events events;
    events.SelectCell = [this](int32_t col, int32_t row, int32_t current) {
      moves.reported.push_back(std::to_string(col) + "," + std::to_string(row) + "<-" +
                               std::to_string(current));
    };
    events.Edited = [this] { ++edits; };
    events.ToggleArea = [this](int32_t row) { toggled.push_back(row); };
    grid = std::make_unique<CellGrid>(parent_, 500, cells, std::move(events));
    grid->SetLook(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 1.0);
    MoveWindow(grid->Hwnd(), 0, 0, 240, 300, TRUE);
  }
  ~GridHost() {
    grid.reset();
    DestroyWindow(parent_);
  }

  void Send(const Input& in) {
    HWND target = grid->Hwnd();
    if (in.target == To::Editor) target = FindWindowExW(grid->Hwnd(), nullptr, L"EDIT", nullptr);
    ASSERT_NE(target, nullptr);
    SendMessageW(target, in.message, in.code, 0);
  }

  TTableCells cells;
  Moves moves;
  int edits = 0;
  std::vector<int32_t> toggled;  // rows whose point was left out or taken back
  std::unique_ptr<CellGrid> grid;

 private:
  HWND parent_ = nullptr;
};

struct Case {
  const char* name;
  TCellPos start;
  std::vector<Input> inputs;
  TCellPos cell;         // the cell to look at afterwards
  const char* expected;  // its text, UTF-8
  TCellPos cursor;
  std::vector<std::string> reported;
};

TEST(CellGrid, TypesAndMovesAsASpreadsheet) {
  const Case cases[] = {
      {"typing starts editing, Enter commits and moves down",
       {1, 1},
       {Char(L'1'), EditChar(L'2'), EditKey(VK_RETURN)},
       {1, 1},
       "12",
       {1, 2},
       {"1,2<-1"}},
      {"Tab commits and moves right",
       {2, 3},
       {Char(L'5'), EditKey(VK_TAB)},
       {2, 3},
       "5",
       {3, 3},
       {"3,3<-3"}},
      {"Tab from the last column wraps to the next row",
       {5, 1},
       {Key(VK_TAB)},
       {5, 1},
       "",
       {1, 2},
       {"1,2<-1"}},
      {"Esc drops what was typed",
       {1, 1},
       {Char(L'7'), EditKey(VK_ESCAPE)},
       {1, 1},
       "",
       {1, 1},
       {}},
      {"F2 edits the text as it stands",
       {4, 2},
       {Char(L'3'), EditKey(VK_RETURN), Key(VK_UP), Key(VK_F2), EditChar(L'4'), EditKey(VK_DOWN)},
       {4, 2},
       "34",
       {4, 3},
       {"4,3<-2", "4,2<-3", "4,3<-2"}},
      {"arrows stop at the table's edges",
       {1, 1},
       {Key(VK_UP), Key(VK_LEFT), Key(VK_DOWN), Key(VK_RIGHT)},
       {1, 1},
       "",
       {2, 2},
       {"1,2<-1", "2,2<-2"}},
      {"characters queued behind the first go on into its editor",
       {1, 1},
       {Char(L'1'), Char(L'2'), Char(L'3'), EditKey(VK_RETURN)},
       {1, 1},
       "123",
       {1, 2},
       {"1,2<-1"}},
      {"text Shift-JIS cannot hold is refused as typed",
       {1, 1},
       {Char(L'\u00e9'), Char(L'5'), EditChar(L'\u00e9'), EditKey(VK_RETURN)},
       {1, 1},
       "5",
       {1, 2},
       {"1,2<-1"}},
      {"Japanese text reaches the cell as Shift-JIS",
       {2, 1},
       {Char(L'距'), EditChar(L'離'), EditKey(VK_RETURN)},
       {2, 1},
       "距離",
       {2, 2},
       {"2,2<-1"}},
  };
  for (const Case& c : cases) {
    GridHost host;
    host.grid->SetCursor(c.start);
    for (const Input& in : c.inputs) host.Send(in);
    EXPECT_EQ(Utf8FromSjis(host.cells.Cell(c.cell.Col, c.cell.Row)), c.expected) << c.name;
    EXPECT_EQ(host.grid->Cursor(), c.cursor) << c.name;
    EXPECT_EQ(host.moves.reported, c.reported) << c.name;
  }
}

TEST(CellGrid, CommitKeepsTheEditorOpenAndSetCursorReportsNothing) {
  GridHost host;
  host.Send(Char(L'9'));
  host.grid->CommitEditor();
  EXPECT_EQ(host.cells.Cell(1, 1), "9");
  HWND editor = FindWindowExW(host.grid->Hwnd(), nullptr, L"EDIT", nullptr);
  EXPECT_NE(editor, nullptr);
  host.Send(EditChar(L'8'));
  host.grid->CommitEditor();
  EXPECT_EQ(host.cells.Cell(1, 1), "98") << "still open after the first commit";
  host.grid->SetCursor({3, 40});
  EXPECT_TRUE(host.moves.reported.empty());
  EXPECT_EQ(host.grid->Selection(), (TCellRange{{3, 40}, {3, 40}}));
}

TEST(CellGrid, ColumnsFitTheirWidestTextOnADoubleClickOfTheHeaderBorder) {
  GridHost host;
  const int before = host.grid->ColumnsWidth();
  host.cells.SetCell(2, 7, SjisFromUtf8("1234567890123456789.5"));
  const int narrow = host.grid->ColumnLeft(3) - host.grid->ColumnLeft(2);
  SendMessageW(host.grid->Hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(host.grid->ColumnLeft(3), 5));
  EXPECT_GT(host.grid->ColumnLeft(3) - host.grid->ColumnLeft(2), narrow + 40);
  EXPECT_GT(host.grid->ColumnsWidth(), before + 40) << "column 2 grew to its long number";
  EXPECT_EQ(host.grid->Cursor(), (TCellPos{1, 1})) << "the header's double-click moves nothing";
}

// A look of no size (a density the system could not tell) still leaves rows
// to count and page through.
TEST(CellGrid, ALookOfNoSizeStillPagesThroughTheRows) {
  GridHost host;
  host.grid->SetLook(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 0.0);
  MoveWindow(host.grid->Hwnd(), 0, 0, 200, 150, TRUE);
  host.Send(Key(VK_NEXT));
  EXPECT_GT(host.grid->Cursor().Row, 1);
}

// A double click on a point number leaves its point out of the area; one on
// the corner does nothing.
TEST(CellGrid, ADoubleClickOnAPointNumberTogglesItsRow) {
  GridHost host;
  SendMessageW(host.grid->Hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));  // the corner
  // Row 3 at the look's scale of 1: rows of kGridRowHeight under the header.
  SendMessageW(host.grid->Hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 3 * kGridRowHeight + 5));
  EXPECT_EQ(host.toggled, (std::vector<int32_t>{3}));
}

}  // namespace
