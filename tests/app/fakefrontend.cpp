// The fake front end: state kept, answers scripted.
#include "fakefrontend.h"

#include <chrono>
#include <thread>

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
    const std::filesystem::path& start, TFileKind kind) {
  SaveKinds.push_back(kind);
  return Choose(start);
}

std::optional<std::string> FakeFrontEnd::AskText(const std::string& /*title*/,
                                                 const std::string& prompt,
                                                 const std::string& text) {
  Prompts.push_back(prompt);
  BoxTexts.push_back(text);
  if (Typed.empty()) return std::nullopt;
  std::optional<std::string> typed = Typed.front();
  Typed.pop_front();
  return typed;
}

namespace {

// A layer whose glyphs take their time.
class SlowLayer : public RecordingCanvas {
 public:
  explicit SlowLayer(std::chrono::microseconds glyphTime) : glyphTime_(glyphTime) {}
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override {
    std::this_thread::sleep_for(glyphTime_);
    RecordingCanvas::TextOut(x, y, glyph);
  }

 private:
  std::chrono::microseconds glyphTime_;
};

}  // namespace

Canvas::LayerMaker FakePreviewCanvas::MakeLayerMaker() {
  if (!OffersLayer) return nullptr;
  return [glyphTime = LayerGlyphTime] { return std::make_unique<SlowLayer>(glyphTime); };
}

Canvas& FakeFrontEnd::PreviewCanvas() {
  return Preview;
}
