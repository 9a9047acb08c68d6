// What the window's behaviour (TForm1) needs from a toolkit, and nothing
// more: each front end (Qt on Linux, Win32 on Windows, a recording fake in
// the tests) implements this one interface and forwards its events to
// TForm1's handlers. TForm1 owns the state (the table cells, the view, the
// counters); the front end owns the controls and shows what it is told.
//
// Every text crossing this interface is Shift-JIS in a std::string; file
// paths are std::filesystem::path so a front end hands in what its system
// uses (UTF-16 on Windows). Table cells are addressed as in the table file:
// columns 1..5, rows 1..kTableRows; column 0 and row 0 are the fixed labels
// and headers, which the front end draws itself from TForm1's texts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "preview/canvas.h"

// Which of the two point-2 edits: Edit1 (distance) or Edit2 (direction).
enum class EditId : uint8_t { Edit1, Edit2 };

// The window's controls (app/formcontrols.h describes each), in the order
// they are made.
enum class ControlId : uint8_t {
  PaintBox1,
  Label1,
  Label2,
  Edit1,
  Label3,
  Edit2,
  Label4,
  StringGrid1,
  Button1,
  Button2,
  Button3,
  Button4,
  Button5,
  Memo1,
  LabelA1,
  InfoStrip,
  LabelArea,
  Count
};

// A rectangle of whole pixels: position and size.
struct TBounds {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const TBounds&) const = default;
};

// A cell of the distance table (col 1..5, row 1..kTableRows).
struct TCellPos {
  int32_t Col = 1;
  int32_t Row = 1;
  bool operator==(const TCellPos&) const = default;
};

// A rectangular block of table cells, corners included, in any order.
struct TCellRange {
  TCellPos From;
  TCellPos To;
  bool operator==(const TCellRange&) const = default;
};

// What a file dialog offers: the table files (*.dlist) or a SIMA
// coordinate file (*.sim).
enum class TFileKind : uint8_t { Table, Sima };

// The text on the clipboard as the front end found it.
struct TClipboardText {
  bool Encodable = true;  // false: it holds a character Shift-JIS cannot carry
  std::string Sjis;       // the text when Encodable
  bool operator==(const TClipboardText&) const = default;
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // The text the edit shows now, as typed so far.
  virtual std::string EditText(EditId edit) const = 0;
  // Makes the edit show the text.
  virtual void SetEditText(EditId edit, const std::string& sjis) = 0;
  // Gives the keyboard focus to the edit, selecting its whole text.
  virtual void FocusEdit(EditId edit) = 0;
  // Gives the keyboard focus back to a control, its caret and selection as
  // they were.
  virtual void FocusControl(ControlId control) = 0;

  // Cells from row first to row last (all columns) changed in TForm1: show
  // them anew, texts and marks alike.
  virtual void CellsChanged(int32_t firstRow, int32_t lastRow) = 0;
  // Puts the text of a cell editor that is still open into TForm1's cells,
  // as leaving the cell would; the editor may stay open.
  virtual void CommitCellEditor() = 0;
  // The cell with the table's cursor.
  virtual TCellPos CellCursor() const = 0;
  // The selected block of cells; the cursor's cell alone when none is.
  virtual TCellRange CellSelection() const = 0;

  // Sets the window's caption.
  virtual void SetCaption(const std::string& sjis) = 0;
  // Sets the status line (LabelA1) and shows it at once, even in the middle
  // of a handler that has not returned to the event loop.
  virtual void SetStatus(const std::string& sjis) = 0;
  // Sets the line under the table that shows the site's area after every
  // computation; empty hides what it said.
  virtual void SetAreaText(const std::string& sjis) = 0;
  // Asks the question with Yes and No buttons; true only for Yes.
  virtual bool AskYesNo(const std::string& sjis) = 0;
  // Tells the user of a failure, with an OK button; returns once they have
  // read it (the window may already be hidden).
  virtual void ShowError(const std::string& sjis) = 0;
  // Asks for a line of text in a small box with OK and Cancel: the title,
  // the prompt above the box (its lines apart by "\n") and the text the box
  // starts with, selected. The text on OK, or nothing on Cancel.
  virtual std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                             const std::string& text) = 0;

  // The open dialog for table files (*.dlist), starting in the folder and
  // with the name of start (empty: the dialog's own choice); the chosen
  // existing file, or nothing when the user cancels.
  virtual std::optional<std::filesystem::path> OpenTableDialog(
      const std::filesystem::path& start) = 0;
  // The save dialog for table files or the other kind, as the open one; it
  // asks before overwriting. The chosen path, or nothing when the user
  // cancels.
  virtual std::optional<std::filesystem::path> SaveTableDialog(const std::filesystem::path& start,
                                                               TFileKind kind) = 0;

  // The window's position and outer size on the desktop.
  virtual TBounds WindowBounds() const = 0;
  // Moves and sizes the window; the front end keeps it on a screen.
  virtual void SetWindowBounds(const TBounds& bounds) = 0;
  // PaintBox1's position in screen coordinates and its size in pixels.
  virtual TBounds PaintBoxBounds() const = 0;

  // The surface of PaintBox1, of the paint box's current size; what is drawn
  // on it shows at the next RepaintPreview.
  virtual Canvas& PreviewCanvas() = 0;
  // Shows the preview canvas on screen now (a rubber band, a drag).
  virtual void RepaintPreview() = 0;
  // Calls TForm1::ContinueRedraw once, soon, after the input and the paints
  // waiting now have been handled: a long redraw goes on in slices while
  // the window keeps answering.
  virtual void ScheduleRedrawSlice() = 0;

  // The clipboard's text; nothing when it holds no text.
  virtual std::optional<TClipboardText> ClipboardText() const = 0;
  // Puts the text on the clipboard.
  virtual void SetClipboardText(const std::string& sjis) = 0;

  // Closes the window; the front end then calls TForm1::FormClose once.
  virtual void Close() = 0;
};
