// The fake front end: state kept, answers scripted.
#include "fakefrontend.h"

#include <utility>

#include "exchange/store.h"
#include "preview/gval.h"

FakeFrontEnd::FakeFrontEnd() : Preview(400, 300) {}

std::string FakeFrontEnd::EditText(EditId edit) const {
  return edit == EditId::Edit1 ? Edit1 : Edit2;
}

void FakeFrontEnd::SetEditText(EditId edit, const std::string& sjis) {
  (edit == EditId::Edit1 ? Edit1 : Edit2) = sjis;
}

void FakeFrontEnd::CellsChanged(int32_t firstRow, int32_t lastRow) {
  RowsShown += lastRow - firstRow + 1;
}

void FakeFrontEnd::CommitCellEditor() {
  ++Commits;
  if (OpenEditor) std::exchange(OpenEditor, {})();
}

bool FakeFrontEnd::AskYesNo(const std::string& sjis) {
  Questions.push_back(sjis);
  if (Answers.empty()) return false;
  const bool yes = Answers.front();
  Answers.pop_front();
  return yes;
}

std::optional<std::filesystem::path> FakeFrontEnd::Choose(const std::filesystem::path& start) {
  DialogStarts.push_back(start);
  if (Chosen.empty()) return std::nullopt;
  std::optional<std::filesystem::path> chosen = Chosen.front();
  Chosen.pop_front();
  return chosen;
}

std::optional<std::filesystem::path> FakeFrontEnd::OpenTableDialog(
    const std::filesystem::path& start) {
  return Choose(start);
}

std::optional<std::filesystem::path> FakeFrontEnd::SaveTableDialog(
    const std::filesystem::path& start) {
  return Choose(start);
}

FakePreviewCanvas::Seen FakePreviewCanvas::Now() {
  return {JwwStore.Order.size(), Gval.ViewScale, Gval.ViewMinX, Gval.ViewWidth};
}

bool FakePreviewCanvas::StartLayer(LayerDrawing drawing) {
  if (!OffersLayer) return false;
  Join();
  layer_ = RecordingCanvas();
  stop_ = false;
  thread_ = std::thread([this, drawing = std::move(drawing)] { drawing(layer_, stop_); });
  LayerRunning = true;
  return true;
}

void FakePreviewCanvas::DropLayer() {
  if (LayerRunning) SeenAtDrop.push_back(Now());
  LayerRunning = false;
  Join();
}

void FakePreviewCanvas::Join() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

Canvas& FakeFrontEnd::PreviewCanvas() {
  return Preview;
}
