// A front end without a toolkit for TForm1's tests: it keeps what the form
// tells it (edit texts, caption, status lines, bounds), answers the form's
// questions and dialogs from scripted answers, and gives the preview a
// recording canvas.
#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/frontend.h"
#include "tests/preview/recording_canvas.h"

// The preview's recording canvas; on request it offers a layer, a recording
// canvas of its own that the redraw's texts' thread draws on; a layer is
// never laid, so the walk draws the layer's share of the texts itself.
class FakePreviewCanvas : public RecordingCanvas {
 public:
  using RecordingCanvas::RecordingCanvas;
  LayerMaker MakeLayerMaker() override;

  bool OffersLayer = false;
  // How long each glyph takes on the layer: with a real one's time, the walk
  // and the layer meet midway through the texts.
  std::chrono::microseconds LayerGlyphTime{0};
};

class FakeFrontEnd : public FrontEnd {
 public:
  FakeFrontEnd();

  std::string EditText(EditId edit) const override;
  void SetEditText(EditId edit, const std::string& sjis) override;
  void FocusEdit(EditId edit) override { Focused = edit; }
  void FocusControl(ControlId control) override { FocusedControl = control; }
  void CellsChanged(int32_t firstRow, int32_t lastRow) override;
  void CommitCellEditor() override { ++Commits; }
  TCellPos CellCursor() const override { return Cursor; }
  TCellRange CellSelection() const override { return Selection; }
  void SetCaption(const std::string& sjis) override { Caption = sjis; }
  void SetStatus(const std::string& sjis) override { Statuses.push_back(sjis); }
  void SetAreaText(const std::string& sjis) override { AreaText = sjis; }
  bool AskYesNo(const std::string& sjis) override;
  void ShowError(const std::string& sjis) override { Errors.push_back(sjis); }
  std::optional<std::filesystem::path> OpenTableDialog(const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> SaveTableDialog(const std::filesystem::path& start,
                                                       TFileKind kind) override;
  std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                     const std::string& text) override;
  TBounds WindowBounds() const override { return Window; }
  void SetWindowBounds(const TBounds& bounds) override { Window = bounds; }
  TBounds PaintBoxBounds() const override { return PaintBox; }
  Canvas& PreviewCanvas() override;
  void RepaintPreview() override { ++Repaints; }
  void ScheduleRedrawSlice() override { ++SlicesAsked; }
  std::optional<TClipboardText> ClipboardText() const override { return Clipboard; }
  void SetClipboardText(const std::string& sjis) override {
    Clipboard = TClipboardText{true, sjis};
  }
  void Close() override { ++Closes; }

  // The last status line; empty before the first.
  std::string Status() const { return Statuses.empty() ? std::string() : Statuses.back(); }

  std::string Edit1;
  std::string Edit2;
  std::optional<EditId> Focused;
  std::optional<ControlId> FocusedControl;
  TCellPos Cursor;
  TCellRange Selection;
  std::string Caption;
  std::vector<std::string> Statuses;
  std::string AreaText;
  std::vector<std::string> Questions;
  std::vector<std::string> Errors;
  std::deque<bool> Answers;  // for AskYesNo; No when none is left
  // For the dialogs, in order; nothing (cancel) when none is left.
  std::deque<std::optional<std::filesystem::path>> Chosen;
  std::vector<std::filesystem::path> DialogStarts;
  std::vector<TFileKind> SaveKinds;
  // For AskText, in order; nothing (cancel) when none is left. Each box's
  // prompt and starting text are kept.
  std::deque<std::optional<std::string>> Typed;
  std::vector<std::string> Prompts;
  std::vector<std::string> BoxTexts;
  TBounds Window;
  TBounds PaintBox{30, 40, 400, 300};
  FakePreviewCanvas Preview;
  std::optional<TClipboardText> Clipboard;
  int Commits = 0;
  int Repaints = 0;
  int SlicesAsked = 0;
  int Closes = 0;
  int RowsShown = 0;  // rows reported changed, summed

 private:
  std::optional<std::filesystem::path> Choose(const std::filesystem::path& start);
};
